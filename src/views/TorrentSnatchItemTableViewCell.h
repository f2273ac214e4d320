#pragma once

#include "views/FlatTableViewCell.h"

#include <QImage>
#include <QString>

class Torrent;

// A row of the snatch list: name, time active, ratio, size, uploaded and downloaded amounts
// with their arrows.
class TorrentSnatchItemTableViewCell : public FlatTableViewCell
{
    Q_OBJECT
public:
    TorrentSnatchItemTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent = nullptr);

    QString nameLbl() const { return m_nameLbl; }
    void setNameLbl(const QString& text) { m_nameLbl = text; }
    QString upLbl() const { return m_upLbl; }
    void setUpLbl(const QString& text) { m_upLbl = text; }
    QString downLbl() const { return m_downLbl; }
    void setDownLbl(const QString& text) { m_downLbl = text; }
    QString sizeLbl() const { return m_sizeLbl; }
    void setSizeLbl(const QString& text) { m_sizeLbl = text; }
    QString activeLbl() const { return m_activeLbl; }
    void setActiveLbl(const QString& text) { m_activeLbl = text; }
    QString ratioLbl() const { return m_ratioLbl; }
    void setRatioLbl(const QString& text) { m_ratioLbl = text; }

    QImage upImg() const { return m_upImg; }
    void setUpImg(const QImage& image) { m_upImg = image; }
    QImage downImg() const { return m_downImg; }
    void setDownImg(const QImage& image) { m_downImg = image; }

    // The record's texts as the snatch list shows them: "Active:%@", "Size:%@", "Ratio:%@".
    void setTorrent(const Torrent& torrent);

    void drawContentView(const QRectF& rect) override;
    QList<Placed> placedItems() const override;
    // "Name, 700 MB, downloaded 700 MB, uploaded 1.4 GB, ratio 2.00, active 3d".
    QString accessibilityLabel() const override;

    static const RowFonts& fonts();

private:
    struct Text
    {
        QPointF at;
        double width = 0;  // the width the line is cut to
        QFont font;
    };
    struct Layout
    {
        Text name, active, ratio, size, up, down;
        QRectF upImg, downImg;
    };
    Layout layout() const;

    QString m_nameLbl, m_upLbl, m_downLbl, m_sizeLbl, m_activeLbl, m_ratioLbl;
    QImage m_upImg, m_downImg;
};
