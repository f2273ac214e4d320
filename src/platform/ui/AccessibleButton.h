#pragma once

#include <QAccessibleWidget>

class Button;

// A platform button as a push button: read by its accessible name, else by its title (the
// information button by what it shows), and pressed as a tap presses it.
class AccessibleButton : public QAccessibleWidget
{
public:
    explicit AccessibleButton(Button* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Button* button() const;
};
