#include "platform/ui/ImageView.h"

#include <QPainter>
#include <QPainterPath>

ImageView::ImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

ImageView::ImageView(const QImage& image, QWidget* parent) : ImageView(parent)
{
    m_image = image;
    resize(sizeHint());
}

QSize ImageView::sizeHint() const
{
    return m_image.isNull() ? QSize(0, 0) : (QSizeF(m_image.size()) / m_image.devicePixelRatio()).toSize();
}

void ImageView::setImage(const QImage& image)
{
    m_image = image;
    update();
}

void ImageView::setContentMode(ContentMode mode)
{
    m_mode = mode;
    update();
}

void ImageView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    update();
}

void ImageView::setClipsToBounds(bool clips)
{
    m_clips = clips;
    update();
}

void ImageView::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF bounds = rect();
    QPainterPath shape;
    shape.addRoundedRect(bounds, m_cornerRadius, m_cornerRadius);
    if (m_background.alpha() > 0)
        p.fillPath(shape, m_background);
    if (m_image.isNull())
        return;
    if (m_clips)
        p.setClipPath(shape);
    const QSizeF natural = QSizeF(m_image.size()) / m_image.devicePixelRatio();
    QRectF target = bounds;
    switch (m_mode) {
    case ContentMode::ScaleToFill: break;
    case ContentMode::ScaleAspectFit:
    case ContentMode::ScaleAspectFill: {
        QSizeF s = natural.scaled(bounds.size(), m_mode == ContentMode::ScaleAspectFit ? Qt::KeepAspectRatio
                                                                                       : Qt::KeepAspectRatioByExpanding);
        target = QRectF(bounds.center().x() - s.width() / 2, bounds.center().y() - s.height() / 2, s.width(), s.height());
        break;
    }
    case ContentMode::Center:
        target = QRectF(bounds.center().x() - natural.width() / 2, bounds.center().y() - natural.height() / 2,
                        natural.width(), natural.height());
        break;
    }
    p.drawImage(target, m_image, QRectF(m_image.rect()));
}
