#include "DemoPictures.h"

#include "DemoCategory.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

namespace {

// A 48 x 36 tile in the category's colour with a lighter band and a dark frame, so the
// pictures are told apart at a glance.
QImage categoryTile(QColor colour)
{
    QImage image(48, 36, QImage::Format_RGB32);
    image.fill(colour);
    const QRgb light = colour.lighter(140).rgb();
    const QRgb frame = colour.darker(160).rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1)
                image.setPixel(x, y, frame);
            else if (y >= 12 && y < 24 && x >= 6 && x < 42)
                image.setPixel(x, y, light);
        }
    }
    return image;
}

QImage downloadArrow()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb green = qRgb(0x2e, 0x9e, 0x4f);
    for (int y = 2; y < 9; ++y) {
        for (int x = 6; x < 10; ++x)
            image.setPixel(x, y, green);
    }
    for (int row = 0; row < 6; ++row) {
        for (int x = 2 + row; x < 14 - row; ++x)
            image.setPixel(x, 9 + row, green);
    }
    return image;
}

} // namespace

DemoPictures::DemoPictures()
{
    for (const DemoCategory& category : DemoCategory::all())
        m_categories.insert(category.imageFile, png(categoryTile(QColor::fromRgb(category.rgb))));
    m_download = png(downloadArrow());
}

QByteArray DemoPictures::png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
