#pragma once

#include <QObject>

class QAbstractButton;
class QPainter;
class QPainterPath;
class QWidget;

// Keyboard focus for the drawn buttons: they take the focus from Tab only (a tap leaves it in
// the text field being typed in), Space and Return press them, and they show a ring while the
// focus they hold came from the keyboard.
class KeyboardFocus : public QObject
{
    Q_OBJECT
public:
    static void install(QAbstractButton* button);
    // Whether the widget holds a focus that came from the keyboard.
    static bool showsRing(const QWidget* widget);
    // Whether the press under way came from a key (Space or Return), not a pointer.
    static bool isPressedByKey(const QWidget* widget);
    static void paintRing(QPainter& painter, const QWidget* widget, const QPainterPath& shape);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
