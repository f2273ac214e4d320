#pragma once

#include <QColor>
#include <QWidget>

// A filled and stroked rectangle with rounded corners. It is never opaque and keeps a clear
// background whatever it is told, so the views behind it show around the rounded shape.
class RoundedRectView : public QWidget
{
    Q_OBJECT
public:
    explicit RoundedRectView(QWidget* parent = nullptr);
    RoundedRectView(const QRect& frame, QWidget* parent = nullptr);

    QColor strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const QColor& color);
    QColor rectColor() const { return m_rectColor; }
    void setRectColor(const QColor& color);
    double strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(double width);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    // Ignored: the background stays clear and the view stays non-opaque.
    void setBackgroundColor(const QColor&) {}
    void setOpaque(bool) {}
    QColor backgroundColor() const { return Qt::transparent; }
    bool isOpaque() const { return false; }

    // The radius actually drawn: cornerRadius, at most half the width and half the height.
    double effectiveRadius() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_strokeColor = Qt::white;
    QColor m_rectColor = Qt::white;
    double m_strokeWidth = 1.0;
    double m_cornerRadius = 30.0;
};
