#include "views/ScaledPictureCache.h"

#include <QCache>
#include <QHashFunctions>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace {

struct Key
{
    qint64 picture;
    int width;
    int height;
    int hints;
    qreal scale;

    bool operator==(const Key& o) const
    {
        return picture == o.picture && width == o.width && height == o.height && hints == o.hints && scale == o.scale;
    }
};

size_t qHash(const Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.picture, key.width, key.height, key.hints, key.scale);
}

QCache<Key, QImage>& cache()
{
    static QCache<Key, QImage> pictures(ScaledPictureCache::kCapacity);
    return pictures;
}

bool whole(qreal v)
{
    return std::abs(v - std::round(v)) < 1e-6;
}

void drawDirectly(QPainter* painter, const QRectF& rect, const QImage& image)
{
    painter->drawImage(rect, image, QRectF(QPointF(0, 0), QSizeF(image.size())));
}

} // namespace

void ScaledPictureCache::draw(QPainter* painter, const QRectF& rect, const QImage& image)
{
    if (image.isNull())
        return;
    const QTransform device = painter->deviceTransform();
    const QRectF pixels = device.mapRect(rect);
    const bool exact = device.type() <= QTransform::TxScale && device.m11() > 0 && device.m11() == device.m22()
                       && painter->opacity() == 1.0
                       && painter->compositionMode() == QPainter::CompositionMode_SourceOver && whole(pixels.x())
                       && whole(pixels.y()) && whole(pixels.width()) && whole(pixels.height())
                       && pixels.width() >= 1 && pixels.height() >= 1;
    if (!exact || QSize(int(std::lround(pixels.width())), int(std::lround(pixels.height()))) == image.size()) {
        drawDirectly(painter, rect, image);
        return;
    }
    const qreal scale = device.m11();
    const Key key{image.cacheKey(), int(std::lround(pixels.width())), int(std::lround(pixels.height())),
                  int(painter->renderHints()), scale};
    QImage* scaled = cache().object(key);
    if (!scaled) {
        scaled = new QImage(key.width, key.height, QImage::Format_ARGB32_Premultiplied);
        scaled->fill(Qt::transparent);
        {
            QPainter p(scaled);
            p.setRenderHints(painter->renderHints());
            p.scale(scale, scale);
            drawDirectly(&p, QRectF(QPointF(0, 0), rect.size()), image);
        }
        scaled->setDevicePixelRatio(scale);
        cache().insert(key, scaled);
    }
    painter->drawImage(rect, *scaled, QRectF(QPointF(0, 0), QSizeF(scaled->size())));
}

int ScaledPictureCache::count()
{
    return int(cache().count());
}
