#pragma once

class QWidget;

// The platform's own properties in the forms: Designer keeps them as dynamic properties (or,
// for a font, as the widget's font in points), and after loading they are handed to the
// controls and taken off again. Every widget: "hidden", "userInteractionEnabled",
// "backgroundImage" (a bundle picture as the background) and "autoresizingMask". Label: "text",
// the font, "textColor", "textAlignment", "lineBreakMode", "numberOfLines",
// "adjustsFontSizeToFitWidth", "minimumFontSize". Button: "buttonType", "title", "titleFont",
// "titleColor" (and "highlightedTitleColor", "disabledTitleColor", "selectedTitleColor"),
// "imageName". TextField: the font, "borderStyle", "returnKeyType", "secureTextEntry".
// SegmentedControl: "titles", "segmentedControlStyle", "titleFont",
// "apportionsSegmentWidthsByContent", "selectedSegmentIndex". Slider: "minimumValue",
// "maximumValue", "value". ScrollView: "backgroundColor", "contentSize". Enumerations are
// written by name ("Center", "RoundedRect"). Fonts are in points, and a point is a pixel here,
// as everywhere in the platform. A root with "sizedToScreen" is sized to the device's screen,
// its views following their autoresizing masks.
class FormProperties
{
public:
    static void apply(QWidget* root);
};
