#include "views/FriendItemTableViewCell.h"

#include "platform/ui/GraphicsContext.h"
#include "site/Friend.h"

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
    ctx->drawText(m_nameLbl, QPointF(50, 5), 240, f.bold, LineBreakMode::TailTruncation);
    ctx->drawText(m_dateLbl, QPointF(50, 20), f.small);
    ctx->drawText(m_typeLbl, QPointF(160, 5), f.small);
}

QString FriendItemTableViewCell::accessibilityLabel() const
{
    return sentence({m_nameLbl, m_typeLbl, m_dateLbl});
}
