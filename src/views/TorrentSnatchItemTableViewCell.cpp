#include "views/TorrentSnatchItemTableViewCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "site/Torrent.h"
#include "views/FlatTableViewCellView.h"
#include "views/TextLayoutCache.h"

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

namespace {
constexpr double kGap = 3;
constexpr double kMinSizePixels = 8;
} // namespace

// The row keeps its positions (active at 0, ratio at 53, size at 103; uploaded ending 2 points
// left of its arrow at 241, downloaded 2 points left of its arrow at 310; on a wider screen the
// amounts and arrows move right by the extra width) wherever the texts fit.
// Where they do not: the left texts each start after the one before; the down arrow stays
// inside a narrower row; a downloaded amount too wide for the space after the up arrow moves
// the up arrow and amount left; and the size, which would run into the uploaded amount ("Size:
// 5,223.95 MB6,529.94 MB"), shrinks, and is cut as the last resort.
TorrentSnatchItemTableViewCell::Layout TorrentSnatchItemTableViewCell::layout() const
{
    const RowFonts& f = fonts();
    const double rowWidth = std::max(1, contentView()->width());
    Layout l;
    l.name = {QPointF(0, 5), std::min<double>(Device::screenBounds().width(), rowWidth), f.bold};

    const double activeWidth = textWidth(m_activeLbl, f.small);
    l.active = {QPointF(0, 20), activeWidth, f.small};
    const double ratioX = std::max(53.0, m_activeLbl.isEmpty() ? 0 : activeWidth + kGap);
    const double ratioWidth = textWidth(m_ratioLbl, f.small);
    l.ratio = {QPointF(ratioX, 20), ratioWidth, f.small};
    const double sizeX = std::max(103.0, m_ratioLbl.isEmpty() ? ratioX : ratioX + ratioWidth + kGap);

    // On a screen wider than the phone's 320 points the amounts keep their distance to the
    // row's right end instead of bunching on the left.
    const double wider = std::max(0.0, std::min<double>(Device::screenBounds().width(), rowWidth) - 320);
    const double downArrowX = std::min(310.0 + wider, rowWidth - 10);
    l.downImg = QRectF(downArrowX, 20, 10, 10);
    const double downWidth = textWidth(m_downLbl, f.small);
    l.down = {QPointF(downArrowX - 2 - downWidth, 20), downWidth, f.small};
    const double upArrowX = m_downLbl.isEmpty() ? 241 + wider : std::min(241.0 + wider, l.down.at.x() - kGap - 10);
    l.upImg = QRectF(upArrowX, 20, 10, 10);
    const double upWidth = textWidth(m_upLbl, f.small);
    l.up = {QPointF(upArrowX - 2 - upWidth, 20), upWidth, f.small};

    const double sizeLimit = (m_upLbl.isEmpty() ? upArrowX : l.up.at.x()) - kGap;
    l.size = {QPointF(sizeX, 20), std::max(0.0, sizeLimit - sizeX),
              fittingFont(m_sizeLbl, f.small, sizeLimit - sizeX, kMinSizePixels)};
    return l;
}

void TorrentSnatchItemTableViewCell::drawContentView(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    beginRow(rect);
    const Layout l = layout();

    ctx->drawImage(l.upImg, m_upImg);
    ctx->drawImage(l.downImg, m_downImg);
    ctx->drawText(m_nameLbl, l.name.at, l.name.width, l.name.font, LineBreakMode::TailTruncation);
    // The active time is drawn once, small. A second, large red drawing of it over the first
    // would cover the time with a clipped "Activ" and is left out.
    ctx->drawText(m_activeLbl, l.active.at, l.active.font);
    ctx->drawText(m_ratioLbl, l.ratio.at, l.ratio.font);
    if (l.size.width > 0)
        ctx->drawText(m_sizeLbl, l.size.at, l.size.width, l.size.font, LineBreakMode::TailTruncation);
    ctx->drawText(m_upLbl, l.up.at, l.up.font);
    ctx->drawText(m_downLbl, l.down.at, l.down.font);
}

QList<FlatTableViewCell::Placed> TorrentSnatchItemTableViewCell::placedItems() const
{
    const Layout l = layout();
    QList<Placed> placed;
    auto text = [&](const char* what, const QString& value, const Text& t) {
        if (!value.isEmpty() && t.width > 0)
            placed.append({QLatin1String(what), textBox(t.at, TextLayoutCache::lineWidth(value, t.width, t.font), t.font)});
    };
    text("name", m_nameLbl, l.name);
    text("active", m_activeLbl, l.active);
    text("ratio", m_ratioLbl, l.ratio);
    text("size", m_sizeLbl, l.size);
    text("uploaded", m_upLbl, l.up);
    text("downloaded", m_downLbl, l.down);
    if (!m_upImg.isNull())
        placed.append({QStringLiteral("up arrow"), l.upImg});
    if (!m_downImg.isNull())
        placed.append({QStringLiteral("down arrow"), l.downImg});
    return placed;
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
