#pragma once

#include <QString>

class QWidget;
class TextField;

// What assistive technology (a screen reader, keyboard access tools) sees of the platform
// controls. The controls draw themselves, so each gets an interface of its own that gives its
// role, name, state and the action its tap does; names not set by a screen come from the
// label the control shows beside it.
class Accessibility
{
public:
    // Registers the controls' interfaces with Qt; the application does it once at start.
    static void install();

    // The text of the label that names a control on screen: a label of the same parent that
    // stands just left of it, or just above it, without a trailing colon. Empty when none.
    static QString labelNaming(const QWidget* control);

    // Names a control, unless a screen gave it a name of its own; a name set here earlier is
    // replaced.
    static void nameUnlessNamed(QWidget* control, const QString& name);

    // A control's name, unless a screen gave it one: the label beside it. Called as it shows,
    // when the labels have their places.
    static void nameAfterLabel(QWidget* control);

    // A text field's name, unless a screen gave it one: its label's text, else its
    // placeholder (which then stays its description).
    static void nameTextField(TextField* field);
};
