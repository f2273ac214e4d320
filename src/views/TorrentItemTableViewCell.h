#pragma once

#include "views/FlatTableViewCell.h"

#include <QImage>
#include <QString>

class Torrent;

// A row of the torrent lists: category picture, name, sub-category, size, seeders and
// leechers with their arrows, the downloaded mark and the wait time in red.
class TorrentItemTableViewCell : public FlatTableViewCell
{
    Q_OBJECT
public:
    TorrentItemTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent = nullptr);

    QString nameLbl() const { return m_nameLbl; }
    void setNameLbl(const QString& text) { m_nameLbl = text; }
    QString subLbl() const { return m_subLbl; }
    void setSubLbl(const QString& text) { m_subLbl = text; }
    QString upLbl() const { return m_upLbl; }
    void setUpLbl(const QString& text) { m_upLbl = text; }
    QString downLbl() const { return m_downLbl; }
    void setDownLbl(const QString& text) { m_downLbl = text; }
    QString sizeLbl() const { return m_sizeLbl; }
    void setSizeLbl(const QString& text) { m_sizeLbl = text; }
    QString waitLbl() const { return m_waitLbl; }
    void setWaitLbl(const QString& text) { m_waitLbl = text; }

    QImage typeImg() const { return m_typeImg; }
    void setTypeImg(const QImage& image) { m_typeImg = image; }
    QImage upImg() const { return m_upImg; }
    void setUpImg(const QImage& image) { m_upImg = image; }
    QImage downImg() const { return m_downImg; }
    void setDownImg(const QImage& image) { m_downImg = image; }
    // Kept but never drawn.
    QImage newImg() const { return m_newImg; }
    void setNewImg(const QImage& image) { m_newImg = image; }
    QImage downloadedImg() const { return m_downloadedImg; }
    void setDownloadedImg(const QImage& image) { m_downloadedImg = image; }
    // A "new" badge over the category picture: the favourites watch found the torrent and
    // the user has not looked at Favourites since.
    bool isWatchedNew() const { return m_watchedNew; }
    void setWatchedNew(bool isNew) { m_watchedNew = isNew; }

    // The record's texts into the text fields (name, sub-category, up, down, size, wait); the
    // pictures are the list's to set.
    void setTorrent(const Torrent& torrent);

    void drawContentView(const QRectF& rect) override;
    QList<Placed> placedItems() const override;
    // "Name, 1.4 GB, 12 seeders, 3 leechers"; the hint tells the sub-category, the wait and
    // whether the torrent was sent already.
    QString accessibilityLabel() const override;
    QString accessibilityHint() const override;

    // Made once for the class, on first use.
    static const RowFonts& fonts();

private:
    struct Text
    {
        QPointF at;
        double width = 0;  // the width the line is cut to
        QFont font;
    };
    // Where the row's texts and pictures go in a row of the cell's width (see the .cpp).
    struct Layout
    {
        Text name, sub, size, up, down, wait;
        QRectF upImg, downImg, downloadedImg;
    };
    Layout layout() const;

    QString m_nameLbl, m_subLbl, m_upLbl, m_downLbl, m_sizeLbl, m_waitLbl;
    QImage m_typeImg, m_upImg, m_downImg, m_newImg, m_downloadedImg;
    bool m_watchedNew = false;
};
