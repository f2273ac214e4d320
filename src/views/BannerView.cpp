#include "views/BannerView.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"

#include <QPainter>
#include <QPainterPath>

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
    if (m_pattern.isNull())
        painter.fillRect(rect(), QColor(26, 26, 26));
    else
        painter.drawTiledPixmap(rect(), QPixmap::fromImage(m_pattern));
    if (m_content)
        return;

    // The house banner: the application's name and what it is for, on a rounded plate.
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(6, 6, -6, -6);
    QPainterPath path;
    path.addRoundedRect(plate, 6, 6);
    painter.fillPath(path, QColor(0, 0, 0, 110));
    painter.setPen(QColor(255, 255, 255, 40));
    painter.drawPath(path);

    const double scale = height() / double(kPhoneHeight);
    const QFont title = Fonts::fontWithName(QStringLiteral("ArialRoundedMTBold"), 17 * std::min(scale, 1.4));
    const QFont line = Fonts::fontWithName(QStringLiteral("Arial"), 10 * std::min(scale, 1.4));
    const QRectF text = plate.adjusted(12, 2, -12, -2);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("iTarnvale"));
    painter.setFont(line);
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Browse, search, and send\ntorrents to your computer"));
}
