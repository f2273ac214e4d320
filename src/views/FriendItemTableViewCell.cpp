#include "views/FriendItemTableViewCell.h"

#include "platform/ui/GraphicsContext.h"
#include "site/Friend.h"
#include "views/FlatTableViewCellView.h"

FriendItemTableViewCell::FriendItemTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent)
    : FlatTableViewCell(frame, reuseIdentifier, parent)
{
}

const FlatTableViewCell::RowFonts& FriendItemTableViewCell::fonts()
{
    static const RowFonts shared = RowFonts::make();
    return shared;
}

void FriendItemTableViewCell::setFriend(const Friend& record)
{
    m_nameLbl = record.name();
    m_typeLbl = record.type();
    m_dateLbl = record.date();
}

void FriendItemTableViewCell::drawContentView(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const RowFonts& f = fonts();
    const bool on = beginRow(rect);

    if (on)
        ctx->drawImage(QRectF(0, 0, 48, 36), m_avatarImg, BlendMode::Normal, 0.5);
    else
        ctx->drawImage(QRectF(0, 0, 48, 36), m_avatarImg);
    const auto [nameWidth, typeX] = nameWidthAndTypeX();
    ctx->drawText(m_nameLbl, QPointF(50, 5), nameWidth, f.bold, LineBreakMode::TailTruncation);
    ctx->drawText(m_dateLbl, QPointF(50, 20), f.small);
    ctx->drawText(m_typeLbl, QPointF(typeX, 5), f.small);
}

std::pair<double, double> FriendItemTableViewCell::nameWidthAndTypeX() const
{
    const RowFonts& f = fonts();
    const double rowWidth = std::max(1, contentView()->width());
    if (m_typeLbl.isEmpty())
        return {std::min(240.0, rowWidth - 50), 160};
    constexpr double gap = 4;
    const double typeWidth = textWidth(m_typeLbl, f.small);
    const double nameWidth = std::min({240.0, textWidth(m_nameLbl, f.bold), rowWidth - 50 - gap - typeWidth});
    return {std::max(0.0, nameWidth), std::max(160.0, 50 + nameWidth + gap)};
}

QList<FlatTableViewCell::Placed> FriendItemTableViewCell::placedItems() const
{
    const RowFonts& f = fonts();
    const auto [nameWidth, typeX] = nameWidthAndTypeX();
    QList<Placed> placed;
    if (!m_nameLbl.isEmpty())
        placed.append({QStringLiteral("name"), textBox(QPointF(50, 5), std::min(nameWidth, textWidth(m_nameLbl, f.bold)), f.bold)});
    if (!m_dateLbl.isEmpty())
        placed.append({QStringLiteral("date"), textBox(QPointF(50, 20), textWidth(m_dateLbl, f.small), f.small)});
    if (!m_typeLbl.isEmpty())
        placed.append({QStringLiteral("type"), textBox(QPointF(typeX, 5), textWidth(m_typeLbl, f.small), f.small)});
    if (!m_avatarImg.isNull())
        placed.append({QStringLiteral("avatar"), QRectF(0, 0, 48, 36)});
    return placed;
}

QString FriendItemTableViewCell::accessibilityLabel() const
{
    return sentence({m_nameLbl, m_typeLbl, m_dateLbl});
}
