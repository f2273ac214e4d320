#pragma once

#include "views/FlatTableViewCell.h"

#include <QImage>
#include <QString>

class Friend;

// A row of the friends list: avatar, name, kind and the date line.
class FriendItemTableViewCell : public FlatTableViewCell
{
    Q_OBJECT
public:
    FriendItemTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent = nullptr);

    QString nameLbl() const { return m_nameLbl; }
    void setNameLbl(const QString& text) { m_nameLbl = text; }
    QString dateLbl() const { return m_dateLbl; }
    void setDateLbl(const QString& text) { m_dateLbl = text; }
    QString typeLbl() const { return m_typeLbl; }
    void setTypeLbl(const QString& text) { m_typeLbl = text; }
    QImage avatarImg() const { return m_avatarImg; }
    void setAvatarImg(const QImage& image) { m_avatarImg = image; }

    // The record's name, kind and date into the text fields; the avatar is the list's to set.
    void setFriend(const Friend& record);

    void drawContentView(const QRectF& rect) override;
    QList<Placed> placedItems() const override;
    // "Name, class, date".
    QString accessibilityLabel() const override;

    static const RowFonts& fonts();

private:
    // The name's width and the type's x: the type stands at 160 after a short name, after a
    // longer one (which would run under it) and the name is cut so that the type still fits.
    std::pair<double, double> nameWidthAndTypeX() const;

    QString m_nameLbl, m_dateLbl, m_typeLbl;
    QImage m_avatarImg;
};
