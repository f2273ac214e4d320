#pragma once

#include <QAbstractButton>
#include <QColor>

// The arrow-shaped back button of a navigation bar, titled after the screen below.
class BackButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit BackButton(QWidget* parent = nullptr);

    void setBaseColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_base = QColor(0x4a, 0x5f, 0x82);
};
