#include "views/TorrentItemTableViewCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "site/Torrent.h"
#include "views/FlatTableViewCellView.h"
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

namespace {
// The least space between two things on a line, and the smallest the size may be drawn in.
constexpr double kGap = 3;
constexpr double kMinSizePixels = 8;
// Over the category picture's top left corner.
const QRectF kNewBadge(0, 0, 22, 11);
// The sub-category keeps at least this much of its line before the size moves over it.
constexpr double kMinSubWidth = 40;
} // namespace

// The row keeps its positions (name at (40, 5); sub-category at (40, 20) within 110; size at
// 160; the up and down counts ending 4 points left of their arrows at 234 and 271; on a wider
// screen all but the name and sub-category move right by the extra width) wherever
// the texts fit in them. Where they do not, the right part is laid out from the right, the left
// part from the left, and the size, between them, moves left, then shrinks, then is cut:
// - a down count too wide for the space after the up arrow moves the up arrow and count left;
// - a size that would run into the up count moves left over the sub-category's spare room;
// - the sent mark stands under the name's line (at y 15 it covered the name's descenders),
//   and the sub-category and the wait time start after it instead of under it.
TorrentItemTableViewCell::Layout TorrentItemTableViewCell::layout() const
{
    const RowFonts& f = fonts();
    const double rowWidth = std::max(1, contentView()->width());
    Layout l;

    const double nameWidth = Device::userInterfaceIdiom() == Device::Idiom::Pad
                                 ? std::min<double>(Device::screenBounds().width(), rowWidth) - 40 - 4
                                 : std::min(230.0, rowWidth - 40);
    l.name = {QPointF(40, 5), nameWidth, f.bold};

    // On a screen wider than the phone's 320 points the size and the counts keep their
    // distance to the row's right end (the download button) instead of bunching on the left.
    // A phone-wide row on a wide screen keeps the phone's places.
    const double wider = std::max(0.0, std::min<double>(Device::screenBounds().width(), rowWidth) - 320);

    // From the right: the down count, the up arrow clear of it, the up count.
    l.downImg = QRectF(271 + wider, 20, 10, 10);
    const double downWidth = textWidth(m_downLbl, f.small);
    l.down = {QPointF(271 + wider - 4 - downWidth, 20), downWidth, f.small};
    const double upArrowX = m_downLbl.isEmpty() ? 234 + wider : std::min(234.0 + wider, l.down.at.x() - kGap - 10);
    l.upImg = QRectF(upArrowX, 20, 10, 10);
    const double upWidth = textWidth(m_upLbl, f.small);
    l.up = {QPointF(upArrowX - 4 - upWidth, 20), upWidth, f.small};
    const double rightLimit = (m_upLbl.isEmpty() ? upArrowX : l.up.at.x()) - kGap;

    // From the left: the sent mark, the wait time in red, the sub-category.
    double x = 40;
    if (!m_downloadedImg.isNull()) {
        l.downloadedImg = QRectF(48, 19, 22, 17);
        x = l.downloadedImg.right() + kGap;
    }
    if (!m_waitLbl.isEmpty()) {
        const QPointF at(std::max(50.0, x), 17);
        const double width = GraphicsContext::sizeWithFont(m_waitLbl, f.large, 50, LineBreakMode::WordWrap).width();
        l.wait = {at, 50, f.large};
        x = at.x() + width + kGap;
    }

    // The size, between them.
    double sizeX = 160 + wider;
    double sizeWidth = textWidth(m_sizeLbl, f.small);
    QFont sizeFont = f.small;
    if (!m_sizeLbl.isEmpty() && sizeX + sizeWidth > rightLimit) {
        sizeX = std::max(rightLimit - sizeWidth, std::min(sizeX, x + kMinSubWidth));
        sizeFont = fittingFont(m_sizeLbl, f.small, rightLimit - sizeX, kMinSizePixels);
    }
    l.size = {QPointF(sizeX, 20), std::max(0.0, rightLimit - sizeX), sizeFont};
    const double subEnd = m_sizeLbl.isEmpty() ? rightLimit : sizeX - kGap;
    l.sub = {QPointF(x, 20), std::max(0.0, std::min(110.0 + wider, subEnd - x)), f.small};
    return l;
}

void TorrentItemTableViewCell::drawContentView(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const RowFonts& f = fonts();
    const bool on = beginRow(rect);
    const Layout l = layout();

    // Pictures and texts come scaled and laid out from the caches.
    QPainter* painter = ctx->painter();
    if (on)
        ctx->drawImage(QRectF(0, 0, 33, 33), m_typeImg, BlendMode::Normal, 0.5);
    else
        ScaledPictureCache::draw(painter, QRectF(0, 0, 33, 33), m_typeImg);
    ScaledPictureCache::draw(painter, l.upImg, m_upImg);
    ScaledPictureCache::draw(painter, l.downImg, m_downImg);
    ScaledPictureCache::draw(painter, l.downloadedImg, m_downloadedImg);
    if (m_watchedNew) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(210, 30, 30));
        painter->drawRoundedRect(kNewBadge, 3, 3);
        QFont font = f.small;
        font.setBold(true);
        font.setPixelSize(8);
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(kNewBadge, Qt::AlignCenter, QStringLiteral("new"));
        painter->restore();
    }

    painter->save();
    painter->setPen(ctx->fillColor());
    // Below the 36-point drawing area, so it never shows; the red drawing further down does.
    TextLayoutCache::draw(painter, m_waitLbl, QPointF(10, 40), 30, f.small, LineBreakMode::WordWrap);
    TextLayoutCache::draw(painter, m_nameLbl, l.name.at, l.name.width, l.name.font);
    TextLayoutCache::draw(painter, m_subLbl, l.sub.at, l.sub.width, l.sub.font);
    TextLayoutCache::draw(painter, m_sizeLbl, l.size.at, l.size.width, l.size.font);
    TextLayoutCache::draw(painter, m_upLbl, l.up.at, TextLayoutCache::kUnlimited, l.up.font);
    TextLayoutCache::draw(painter, m_downLbl, l.down.at, TextLayoutCache::kUnlimited, l.down.font);
    if (!m_waitLbl.isEmpty()) {
        painter->setPen(QColor(Qt::red));
        TextLayoutCache::draw(painter, m_waitLbl, l.wait.at, l.wait.width, l.wait.font, LineBreakMode::WordWrap);
    }
    painter->restore();
}

QList<FlatTableViewCell::Placed> TorrentItemTableViewCell::placedItems() const
{
    const Layout l = layout();
    QList<Placed> placed;
    auto text = [&](const char* what, const QString& value, const Text& t) {
        if (!value.isEmpty() && t.width > 0)
            placed.append({QLatin1String(what), textBox(t.at, TextLayoutCache::lineWidth(value, t.width, t.font), t.font)});
    };
    auto picture = [&](const char* what, const QImage& image, const QRectF& box) {
        if (!image.isNull())
            placed.append({QLatin1String(what), box});
    };
    text("name", m_nameLbl, l.name);
    text("sub-category", m_subLbl, l.sub);
    text("size", m_sizeLbl, l.size);
    text("seeders", m_upLbl, l.up);
    text("leechers", m_downLbl, l.down);
    if (!m_waitLbl.isEmpty()) {
        const QSizeF size = GraphicsContext::sizeWithFont(m_waitLbl, l.wait.font, l.wait.width, LineBreakMode::WordWrap);
        const QRectF first = textBox(l.wait.at, size.width(), l.wait.font);
        placed.append({QStringLiteral("wait"), QRectF(first.topLeft(), QSizeF(size.width(), size.height() - (first.top() - l.wait.at.y())))});
    }
    picture("up arrow", m_upImg, l.upImg);
    picture("down arrow", m_downImg, l.downImg);
    picture("sent mark", m_downloadedImg, l.downloadedImg);
    if (m_watchedNew)
        placed.append({QStringLiteral("new mark"), kNewBadge});
    return placed;
}

QString TorrentItemTableViewCell::accessibilityLabel() const
{
    return sentence({m_nameLbl, m_sizeLbl, counted(m_upLbl, QStringLiteral("seeder"), QStringLiteral("seeders")),
                     counted(m_downLbl, QStringLiteral("leecher"), QStringLiteral("leechers"))});
}

QString TorrentItemTableViewCell::accessibilityHint() const
{
    return sentence({m_subLbl, m_waitLbl.isEmpty() ? QString() : QStringLiteral("wait ") + m_waitLbl,
                     m_downloadedImg.isNull() ? QString() : QStringLiteral("already sent to the client"),
                     m_watchedNew ? QStringLiteral("new since you last looked") : QString()});
}
