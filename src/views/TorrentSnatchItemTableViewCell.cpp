#include "views/TorrentSnatchItemTableViewCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "site/Torrent.h"

TorrentSnatchItemTableViewCell::TorrentSnatchItemTableViewCell(const QRect& frame, const QString& reuseIdentifier,
                                                               QWidget* parent)
    : FlatTableViewCell(frame, reuseIdentifier, parent)
{
}

const FlatTableViewCell::RowFonts& TorrentSnatchItemTableViewCell::fonts()
{
    static const RowFonts shared = RowFonts::make();
    return shared;
}

void TorrentSnatchItemTableViewCell::setTorrent(const Torrent& torrent)
{
    m_nameLbl = torrent.name();
    m_activeLbl = QStringLiteral("Active:%1").arg(torrent.active());
    m_upLbl = torrent.up();
    m_downLbl = torrent.down();
    m_sizeLbl = QStringLiteral("Size:%1").arg(torrent.size());
    m_ratioLbl = QStringLiteral("Ratio:%1").arg(torrent.ratio());
}

void TorrentSnatchItemTableViewCell::drawContentView(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const RowFonts& f = fonts();
    beginRow(rect);

    ctx->drawImage(QRectF(241, 20, 10, 10), m_upImg);
    ctx->drawImage(QRectF(310, 20, 10, 10), m_downImg);
    ctx->drawText(m_nameLbl, QPointF(0, 5), Device::screenBounds().width(), f.bold, LineBreakMode::TailTruncation);
    // The active time is drawn once, small. A second, large red drawing of it over the first
    // would cover the time with a clipped "Activ" and is left out.
    ctx->drawText(m_activeLbl, QPointF(0, 20), f.small);
    ctx->drawText(m_ratioLbl, QPointF(53, 20), f.small);
    ctx->drawText(m_sizeLbl, QPointF(103, 20), f.small);
    drawRightAligned(m_upLbl, 243, 20, f.small);
    drawRightAligned(m_downLbl, 312, 20, f.small);
}

QString TorrentSnatchItemTableViewCell::accessibilityLabel() const
{
    auto labelled = [](const QString& label, const QString& value) {
        return value.trimmed().isEmpty() ? QString() : label + QLatin1Char(' ') + value;
    };
    return sentence({m_nameLbl, m_sizeLbl, labelled(QStringLiteral("downloaded"), m_downLbl),
                     labelled(QStringLiteral("uploaded"), m_upLbl), labelled(QStringLiteral("ratio"), m_ratioLbl),
                     labelled(QStringLiteral("active"), m_activeLbl)});
}
