#include "views/BannerView.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kPhoneWidth = 320;
constexpr int kPhoneHeight = 50;
constexpr int kTabletHeight = 90;
} // namespace

BannerView::BannerView(QWidget* parent)
    : QWidget(parent)
{
    const bool tablet = Device::userInterfaceIdiom() == Device::Idiom::Pad;
    m_pattern = Bundle::imageNamed(tablet ? QStringLiteral("titleBackIPad.png") : QStringLiteral("titleBack.png"));
    setAccessibleName(QStringLiteral("Banner"));
    resize(standardSize());
}

QSize BannerView::standardSize()
{
    if (Device::userInterfaceIdiom() == Device::Idiom::Pad)
        return {Device::screenBounds().width(), kTabletHeight};
    return {kPhoneWidth, kPhoneHeight};
}

void BannerView::setContentView(QWidget* view)
{
    if (m_content == view)
        return;
    delete m_content;
    m_content = view;
    if (view) {
        view->setParent(this);
        view->setGeometry(rect());
        view->show();
    }
    update();
}

void BannerView::loadRequest()
{
    ++m_requests;
    update();
}

void BannerView::resizeEvent(QResizeEvent*)
{
    if (m_content)
        m_content->setGeometry(rect());
}

void BannerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_pattern.isNull()) {
        painter.fillRect(rect(), QColor(26, 26, 26));
    } else {
        // The pattern fills the banner's height (the tablet's picture is 66 points high, its
        // banner 90: tiled, the picture's top band showed again below the title) and repeats
        // along the width only.
        QPixmap pattern = QPixmap::fromImage(m_pattern);
        if (pattern.deviceIndependentSize().height() != height()) {
            const qreal scale = height() / pattern.deviceIndependentSize().height();
            const qreal ratio = pattern.devicePixelRatio();
            pattern = pattern.scaled((QSizeF(pattern.size()) * scale).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            pattern.setDevicePixelRatio(ratio);
        }
        painter.drawTiledPixmap(rect(), pattern);
    }
    if (m_content)
        return;

    // The house banner: the pattern carries the application's name; what it is for stands
    // at the right.
    const double scale = std::min(height() / double(kPhoneHeight), 1.4);
    painter.setFont(Fonts::fontWithName(QStringLiteral("Arial"), 10 * scale));
    painter.setPen(QColor(210, 215, 225));
    painter.drawText(QRectF(rect()).adjusted(12, 2, -12, -2), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Browse, search, and send\ntorrents to your computer"));
}
