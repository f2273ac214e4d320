#include "views/TorrentItemTableViewCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "site/Torrent.h"

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

    if (on)
        ctx->drawImage(QRectF(0, 0, 33, 33), m_typeImg, BlendMode::Normal, 0.5);
    else
        ctx->drawImage(QRectF(0, 0, 33, 33), m_typeImg);
    ctx->drawImage(QRectF(234, 20, 10, 10), m_upImg);
    ctx->drawImage(QRectF(271, 20, 10, 10), m_downImg);
    ctx->drawImage(QRectF(48, 15, 24, 19), m_downloadedImg);
    // Below the 36-point drawing area, so it never shows; the red drawing further down does.
    ctx->drawText(m_waitLbl, QPointF(10, 40), 30, f.small, LineBreakMode::WordWrap);
    const double nameWidth = Device::userInterfaceIdiom() == Device::Idiom::Pad ? Device::screenBounds().width() : 230;
    ctx->drawText(m_nameLbl, QPointF(40, 5), nameWidth, f.bold, LineBreakMode::TailTruncation);
    ctx->drawText(m_subLbl, QPointF(40, 20), 110, f.small, LineBreakMode::TailTruncation);
    ctx->drawText(m_sizeLbl, QPointF(160, 20), f.small);
    drawRightAligned(m_upLbl, 234, 20, f.small);
    drawRightAligned(m_downLbl, 271, 20, f.small);
    if (!m_waitLbl.isEmpty()) {
        const QColor text = ctx->fillColor();
        ctx->setFillColor(Qt::red);
        ctx->drawText(m_waitLbl, QPointF(50, 17), 50, f.large, LineBreakMode::WordWrap);
        ctx->setFillColor(text);
    }
}
