#pragma once

#include "platform/ui/Button.h"

// A button that looks like an underlined link: a white line under its title, as long as the
// title text and 5 points above the button's bottom. The title stands at the left edge, where
// the underline starts; a title wider than the button ends in "…" at its right edge (the whole
// title stays the button's text, what readers hear and its tool tip).
class UIUnderlinedLabel : public Button
{
    Q_OBJECT
public:
    explicit UIUnderlinedLabel(QWidget* parent = nullptr);

    // Where the underline is drawn, in the button's coordinates.
    QLineF underline() const;
    // The title as drawn: whole, or cut with "…" to the button's width.
    QString shownTitle() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
