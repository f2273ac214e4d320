#pragma once

#include <QColor>
#include <QGraphicsEffect>
#include <QPointF>

// Draws a widget and its children at an opacity, with a sharp shadow if asked (a bar title's
// embossed look): what QGraphicsOpacityEffect and a QGraphicsDropShadowEffect without blur
// do, but also under a painter that scales, as the window zoomed out below 100 % draws.
// There Qt's own effects went wrong twice: they take the widget's picture in device
// coordinates, which Qt renders unscaled, and Qt clips the effect's drawing to the widget's
// unscaled place, so a title came out at full size and cut, and a picker's rows not at all.
class WidgetEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    explicit WidgetEffect(QObject* parent = nullptr);

    qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);
    // The drawing once more in this colour, at this offset, under the widget's own.
    void setShadow(QColor color, QPointF offset);

protected:
    QRectF boundingRectFor(const QRectF& rect) const override;
    void draw(QPainter* painter) override;

private:
    qreal m_opacity = 1.0;
    QColor m_shadowColor;
    QPointF m_shadowOffset;
};
