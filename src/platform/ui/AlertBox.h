#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// What an alert shows: the dimmed window and, centred on it, the rounded dark-blue box
// with the white bold title, the centred message and one button, or two side by side (the
// cancel button at index 0 on the left, the other at index 1 on the right). It keeps the
// focus until dismissed: Tab walks its buttons, Return and Space press the one walked to (or
// the one the alert offers), Escape taps the cancel button.
class AlertBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBoxWidth = 284;

    AlertBox(const QString& title, const QString& message, const QString& button, QWidget* parent,
             const QString& otherButton = QString());

    QRect boxRect() const { return m_box; }
    QPushButton* button() const { return m_button; }
    QPushButton* otherButton() const { return m_otherButton; }

Q_SIGNALS:
    void buttonTapped(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void layoutBox();

    QLabel* m_title = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_button = nullptr;
    QPushButton* m_otherButton = nullptr;
    QRect m_box;
};
