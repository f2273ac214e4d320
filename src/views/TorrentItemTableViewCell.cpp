#include "views/TorrentItemTableViewCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "site/Torrent.h"
#include "views/ScaledPictureCache.h"
#include "views/TextLayoutCache.h"

#include <QPainter>

TorrentItemTableViewCell::TorrentItemTableViewCell(const QRect& frame, const QString& reuseIdentifier,
                                                   QWidget* parent)
    : FlatTableViewCell(frame, reuseIdentifier, parent)
{
}

const FlatTableViewCell::RowFonts& TorrentItemTableViewCell::fonts()
{
    static const RowFonts shared = RowFonts::make();
    return shared;
}

void TorrentItemTableViewCell::setTorrent(const Torrent& torrent)
{
    m_nameLbl = torrent.name();
    m_subLbl = torrent.subType();
    m_upLbl = torrent.up();
    m_downLbl = torrent.down();
    m_sizeLbl = torrent.size();
    m_waitLbl = torrent.wait();
}

void TorrentItemTableViewCell::drawContentView(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const RowFonts& f = fonts();
    const bool on = beginRow(rect);

    // Pictures and texts come scaled and laid out from the caches.
    QPainter* painter = ctx->painter();
    if (on)
        ctx->drawImage(QRectF(0, 0, 33, 33), m_typeImg, BlendMode::Normal, 0.5);
    else
        ScaledPictureCache::draw(painter, QRectF(0, 0, 33, 33), m_typeImg);
    ScaledPictureCache::draw(painter, QRectF(234, 20, 10, 10), m_upImg);
    ScaledPictureCache::draw(painter, QRectF(271, 20, 10, 10), m_downImg);
    ScaledPictureCache::draw(painter, QRectF(48, 15, 24, 19), m_downloadedImg);

    painter->save();
    painter->setPen(ctx->fillColor());
    // Below the 36-point drawing area, so it never shows; the red drawing further down does.
    TextLayoutCache::draw(painter, m_waitLbl, QPointF(10, 40), 30, f.small, LineBreakMode::WordWrap);
    const double nameWidth = Device::userInterfaceIdiom() == Device::Idiom::Pad ? Device::screenBounds().width() : 230;
    TextLayoutCache::draw(painter, m_nameLbl, QPointF(40, 5), nameWidth, f.bold);
    TextLayoutCache::draw(painter, m_subLbl, QPointF(40, 20), 110, f.small);
    TextLayoutCache::draw(painter, m_sizeLbl, QPointF(160, 20), TextLayoutCache::kUnlimited, f.small);
    drawRightAligned(m_upLbl, 234, 20, f.small);
    drawRightAligned(m_downLbl, 271, 20, f.small);
    if (!m_waitLbl.isEmpty()) {
        painter->setPen(QColor(Qt::red));
        TextLayoutCache::draw(painter, m_waitLbl, QPointF(50, 17), 50, f.large, LineBreakMode::WordWrap);
    }
    painter->restore();
}

QString TorrentItemTableViewCell::accessibilityLabel() const
{
    return sentence({m_nameLbl, m_sizeLbl, counted(m_upLbl, QStringLiteral("seeder"), QStringLiteral("seeders")),
                     counted(m_downLbl, QStringLiteral("leecher"), QStringLiteral("leechers"))});
}

QString TorrentItemTableViewCell::accessibilityHint() const
{
    return sentence({m_subLbl, m_waitLbl.isEmpty() ? QString() : QStringLiteral("wait ") + m_waitLbl,
                     m_downloadedImg.isNull() ? QString() : QStringLiteral("already sent to the client")});
}
