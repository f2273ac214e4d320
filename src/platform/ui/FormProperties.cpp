#include "platform/ui/FormProperties.h"

#include "platform/ui/Autoresizing.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextField.h"

#include <QPalette>
#include <QVariant>
#include <QtDebug>

#include <optional>
#include <utility>

namespace {
template <typename Enum>
using Names = std::initializer_list<std::pair<const char*, Enum>>;

// A property of the form, if the widget has it.
std::optional<QVariant> formValue(const QWidget* widget, const char* name)
{
    const QVariant value = widget->property(name);
    return value.isValid() ? std::optional<QVariant>(value) : std::nullopt;
}

template <typename Enum>
std::optional<Enum> formEnum(const QWidget* widget, const char* name, Names<Enum> names)
{
    const std::optional<QVariant> value = formValue(widget, name);
    if (!value)
        return std::nullopt;
    const QString text = value->toString();
    for (const auto& [key, enumValue] : names) {
        if (text == QLatin1String(key))
            return enumValue;
    }
    qWarning("interface layout: %s of %s: no such value \"%s\"", name, qPrintable(widget->objectName()),
             qPrintable(text));
    return std::nullopt;
}

// The platform's font for a form's font: the name of the phone font in the family, the size in
// points, which are pixels here.
QFont platformFont(const QFont& formFont)
{
    QFont font = Fonts::fontWithName(formFont.family(), formFont.pointSizeF());
    if (formFont.bold())
        font.setBold(true);
    if (formFont.italic())
        font.setItalic(true);
    return font;
}

// The widget's own font when the form gave it one (fonts set in code have pixel sizes).
std::optional<QFont> formWidgetFont(const QWidget* widget)
{
    const QFont font = widget->font();
    if (!widget->testAttribute(Qt::WA_SetFont) || font.pixelSize() > 0)
        return std::nullopt;
    return platformFont(font);
}

std::optional<QFont> formFont(const QWidget* widget, const char* name)
{
    const std::optional<QVariant> value = formValue(widget, name);
    return value ? std::optional<QFont>(platformFont(value->value<QFont>())) : std::nullopt;
}

const Names<TextAlignment> kAlignments{
    {"Left", TextAlignment::Left}, {"Center", TextAlignment::Center}, {"Right", TextAlignment::Right}};
const Names<LineBreakMode> kLineBreaks{{"WordWrap", LineBreakMode::WordWrap},
                                       {"CharacterWrap", LineBreakMode::CharacterWrap},
                                       {"Clip", LineBreakMode::Clip},
                                       {"HeadTruncation", LineBreakMode::HeadTruncation},
                                       {"TailTruncation", LineBreakMode::TailTruncation},
                                       {"MiddleTruncation", LineBreakMode::MiddleTruncation}};
const Names<Button::Type> kButtonTypes{{"Custom", Button::Type::Custom},
                                       {"RoundedRect", Button::Type::RoundedRect},
                                       {"InfoLight", Button::Type::InfoLight},
                                       {"InfoDark", Button::Type::InfoDark}};
const Names<TextField::BorderStyle> kBorderStyles{{"None", TextField::BorderStyle::None},
                                                  {"Line", TextField::BorderStyle::Line},
                                                  {"Bezel", TextField::BorderStyle::Bezel},
                                                  {"RoundedRect", TextField::BorderStyle::RoundedRect}};
const Names<TextField::ReturnKeyType> kReturnKeys{
    {"Default", TextField::ReturnKeyType::Default}, {"Go", TextField::ReturnKeyType::Go},
    {"Next", TextField::ReturnKeyType::Next},       {"Done", TextField::ReturnKeyType::Done},
    {"Search", TextField::ReturnKeyType::Search},   {"Send", TextField::ReturnKeyType::Send}};
const Names<SegmentedControl::Style> kSegmentStyles{{"Plain", SegmentedControl::Style::Plain},
                                                    {"Bordered", SegmentedControl::Style::Bordered},
                                                    {"Bar", SegmentedControl::Style::Bar}};

// The names above, taken off the widgets once applied.
const char* const kFormProperties[] = {
    "hidden", "userInteractionEnabled", "backgroundImage", "autoresizingMask", "sizedToScreen", "text", "textColor",
    "textAlignment", "lineBreakMode", "numberOfLines", "adjustsFontSizeToFitWidth", "minimumFontSize", "buttonType",
    "title", "titleFont", "titleColor", "highlightedTitleColor", "disabledTitleColor", "selectedTitleColor",
    "imageName", "borderStyle", "returnKeyType", "secureTextEntry", "titles", "segmentedControlStyle",
    "apportionsSegmentWidthsByContent", "selectedSegmentIndex", "minimumValue", "maximumValue", "value",
    "backgroundColor", "contentSize"};

void applyLabel(Label* label)
{
    if (const auto font = formWidgetFont(label)) {
        label->setFont(*font);
        label->QWidget::setFont(QFont()); // the label draws with its own font
    }
    if (const auto text = formValue(label, "text"))
        label->setText(text->toString());
    if (const auto color = formValue(label, "textColor"))
        label->setTextColor(color->value<QColor>());
    if (const auto alignment = formEnum(label, "textAlignment", kAlignments))
        label->setTextAlignment(*alignment);
    if (const auto mode = formEnum(label, "lineBreakMode", kLineBreaks))
        label->setLineBreakMode(*mode);
    if (const auto lines = formValue(label, "numberOfLines"))
        label->setNumberOfLines(lines->toInt());
    if (const auto adjusts = formValue(label, "adjustsFontSizeToFitWidth"))
        label->setAdjustsFontSizeToFitWidth(adjusts->toBool());
    if (const auto size = formValue(label, "minimumFontSize"))
        label->setMinimumFontSize(size->toDouble());
}

void applyButton(Button* button)
{
    if (const auto type = formEnum(button, "buttonType", kButtonTypes))
        button->setButtonType(*type);
    if (const auto title = formValue(button, "title"))
        button->setTitle(title->toString());
    if (const auto font = formFont(button, "titleFont"))
        button->setTitleFont(*font);
    const std::pair<const char*, Button::State> colors[] = {{"titleColor", Button::State::Normal},
                                                            {"highlightedTitleColor", Button::State::Highlighted},
                                                            {"disabledTitleColor", Button::State::Disabled},
                                                            {"selectedTitleColor", Button::State::Selected}};
    for (const auto& [name, state] : colors) {
        if (const auto color = formValue(button, name))
            button->setTitleColor(color->value<QColor>(), state);
    }
    if (const auto picture = formValue(button, "imageName"))
        button->setImage(Bundle::imageNamed(picture->toString()));
}

void applyTextField(TextField* field)
{
    if (const auto font = formWidgetFont(field))
        field->setFont(*font);
    if (const auto style = formEnum(field, "borderStyle", kBorderStyles))
        field->setBorderStyle(*style);
    if (const auto key = formEnum(field, "returnKeyType", kReturnKeys))
        field->setReturnKeyType(*key);
    if (const auto secure = formValue(field, "secureTextEntry"))
        field->setSecureTextEntry(secure->toBool());
}

void applySegmentedControl(SegmentedControl* control)
{
    if (const auto titles = formValue(control, "titles")) {
        control->removeAllSegments();
        const QStringList list = titles->toStringList();
        for (int i = 0; i < list.size(); ++i)
            control->insertSegmentWithTitle(list.at(i), i);
    }
    if (const auto style = formEnum(control, "segmentedControlStyle", kSegmentStyles))
        control->setSegmentedControlStyle(*style);
    if (const auto font = formFont(control, "titleFont"))
        control->setTitleFont(*font);
    if (const auto apportions = formValue(control, "apportionsSegmentWidthsByContent"))
        control->setApportionsSegmentWidthsByContent(apportions->toBool());
    if (const auto index = formValue(control, "selectedSegmentIndex"))
        control->setSelectedSegmentIndex(index->toInt());
}

void applySlider(Slider* slider)
{
    if (const auto minimum = formValue(slider, "minimumValue"))
        slider->setMinimumValue(minimum->toFloat());
    if (const auto maximum = formValue(slider, "maximumValue"))
        slider->setMaximumValue(maximum->toFloat());
    if (const auto value = formValue(slider, "value"))
        slider->setValue(value->toFloat());
}

void applyScrollView(ScrollView* scroll)
{
    if (const auto color = formValue(scroll, "backgroundColor"))
        scroll->setBackgroundColor(color->value<QColor>());
    if (const auto size = formValue(scroll, "contentSize"))
        scroll->setContentSize(size->toSizeF());
}

void applyView(QWidget* view)
{
    if (const auto picture = formValue(view, "backgroundImage")) {
        QPalette palette = view->palette();
        palette.setBrush(QPalette::Window, QBrush(Bundle::imageNamed(picture->toString())));
        view->setPalette(palette);
        view->setAutoFillBackground(true);
    }
    if (const auto enabled = formValue(view, "userInteractionEnabled"))
        view->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled->toBool());
    if (const auto mask = formValue(view, "autoresizingMask"); mask && !Autoresizing::isValidMask(mask->toString()))
        qWarning("interface layout: autoresizingMask of %s: \"%s\"", qPrintable(view->objectName()),
                 qPrintable(mask->toString()));

    if (auto* label = qobject_cast<Label*>(view))
        applyLabel(label);
    else if (auto* button = qobject_cast<Button*>(view))
        applyButton(button);
    else if (auto* field = qobject_cast<TextField*>(view))
        applyTextField(field);
    else if (auto* control = qobject_cast<SegmentedControl*>(view))
        applySegmentedControl(control);
    else if (auto* slider = qobject_cast<Slider*>(view))
        applySlider(slider);
    else if (auto* scroll = qobject_cast<ScrollView*>(view))
        applyScrollView(scroll);

    if (const auto hidden = formValue(view, "hidden"))
        view->setHidden(hidden->toBool());
}

void applyTree(QWidget* view)
{
    applyView(view);
    for (QObject* child : view->children()) {
        if (child->isWidgetType())
            applyTree(static_cast<QWidget*>(child));
    }
}

// Dynamic properties only: a class's own property of the same name stays.
void takeOff(QWidget* view)
{
    const QList<QByteArray> names = view->dynamicPropertyNames();
    for (const char* name : kFormProperties) {
        if (names.contains(name))
            view->setProperty(name, QVariant());
    }
    for (QObject* child : view->children()) {
        if (child->isWidgetType())
            takeOff(static_cast<QWidget*>(child));
    }
}
} // namespace

void FormProperties::apply(QWidget* root)
{
    applyTree(root);
    if (root->property("sizedToScreen").toBool())
        Autoresizing::resize(root, Device::screenBounds().size());
    takeOff(root);
}
