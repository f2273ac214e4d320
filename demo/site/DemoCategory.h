#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One of the site's torrent categories, with the picture file the listing shows for it.
struct DemoCategory
{
    QString code;           // as in list addresses
    QString label;
    QString imageFile;      // under "/images/cats/"
    bool languagesApply = false;
    QStringList subCategories; // display texts, plain; code = index + 1
    unsigned rgb = 0;       // the picture's colour
    // The listing points at the picture by its full address on the picture host (behind the
    // usual "/images/cats/" prefix) instead of by a file name the application knows.
    bool remotePicture = false;

    // Every category except "All", in the site's menu order.
    static const QList<DemoCategory>& all();
    static const DemoCategory* byCode(const QString& code);
    // The site's language codes except "All", with their labels.
    static const QList<QPair<QString, QString>>& languages();
};
