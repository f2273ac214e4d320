#pragma once

#include <QString>
#include <QUrl>

// What one page of the site's torrent listing is asked for with: the category, language,
// order and sort codes of a list's settings, and the address built from them. The recent
// torrents (and favourites) use the display settings, the search list its own.
struct ListingQuery
{
    QString category = QStringLiteral("0"); // "0": every category
    QString language = QStringLiteral("0"); // "0": every language
    QString orderBy;                        // "" (date), "B", "S" or "L"
    QString sortBy = QStringLiteral("desc"); // "asc" asks for the order's lower-case letter

    // The site's "sort" parameter: the order code, lower case for ascending.
    QString sortCode() const;

    // The listing page's address. `escapedText` is the search words already escaped for the
    // address (see escapeSearchText); empty for the recent torrents.
    QUrl url(int page, const QString& escapedText = QString()) const;

    // The search words as the "query" value: every UTF-8 byte that is not an unreserved
    // character (letters, digits, "-", ".", "_", "~") becomes "%" and two hexadecimal digits,
    // so "&", "=", "#", "+" and "%" reach the site as text and not as parts of the address.
    static QString escapeSearchText(const QString& text);
};
