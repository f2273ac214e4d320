#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// Pictures that rows draw into rectangles of another size (a category picture, the arrows),
// scaled once per picture and device size instead of on every paint. The scaled copy is the
// drawing itself, made into a transparent picture of the rectangle's device pixels with the
// painter's own hints, so laying it 1:1 onto the row gives the pixels of drawing the picture
// there directly. Where that cannot hold (opacity, another blend, a rectangle off the device's
// pixel grid, rotation) the picture is drawn directly. GUI thread only.
class ScaledPictureCache
{
public:
    // As GraphicsContext::drawImage(rect, image).
    static void draw(QPainter* painter, const QRectF& rect, const QImage& image);

    // Scaled copies kept at most.
    static constexpr int kCapacity = 64;
    static int count();
};
