#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

// The small pictures the listing pages point at: one per category under "/images/cats/",
// and the download arrow. Drawn once as PNG (Qt writes no GIF; the site's file names keep
// their ".gif" and browsers go by the bytes). Read-only after construction.
class DemoPictures
{
public:
    DemoPictures();

    // PNG bytes for a file name such as "movies.gif"; empty when there is no such picture.
    QByteArray categoryPicture(const QString& fileName) const { return m_categories.value(fileName); }
    QByteArray downloadPicture() const { return m_download; }

    // `image` as PNG bytes, as every picture the demo serves is sent.
    static QByteArray png(const QImage& image);

private:
    QHash<QString, QByteArray> m_categories;
    QByteArray m_download;
};
