#include "views/PictureButtonName.h"

#include <QHash>

QString pictureButtonName(const QString& picture)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("back.png"), QStringLiteral("Back")},
        {QStringLiteral("add.png"), QStringLiteral("Add")},
        {QStringLiteral("download.png"), QStringLiteral("Send to client")},
        {QStringLiteral("download-toolbar.png"), QStringLiteral("Send to client")},
        {QStringLiteral("previous-toolbar.png"), QStringLiteral("Previous page")},
        {QStringLiteral("forward-toolbar.png"), QStringLiteral("Next page")},
        {QStringLiteral("imdb-toolbar.png"), QStringLiteral("Film database page")},
        {QStringLiteral("pmButton.png"), QStringLiteral("Send message")},
        {QStringLiteral("header-refresh.png"), QStringLiteral("Refresh")},
        {QStringLiteral("header-search.png"), QStringLiteral("Search options")},
        {QStringLiteral("header-settings.png"), QStringLiteral("Display settings")},
        {QStringLiteral("header-filters.png"), QStringLiteral("Favorite filters")},
    };
    return names.value(picture);
}
