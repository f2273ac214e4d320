#pragma once

#include <QList>
#include <QString>

// One choice of a filter table: what the screens show and the code that is stored and goes
// into the list address. All codes are texts ("" is the date order).
struct SiteCode
{
    QString label;
    QString code;
};

// A category row, with the third column of the table: whether the site's languages apply to
// the category ("yes") or the language is always "All" ("no").
struct SiteCategory
{
    QString label;
    QString code;
    bool languagesApply = true;
};

// The site's order, sort, category and language tables, in their order. The
// display and search settings screens share them.
class SiteCodes
{
public:
    // "Date" "", "Size" "B", "Seeders" "S", "Leechers" "L".
    static const QList<SiteCode>& order();
    // "Desc" "desc", "Asc" "asc".
    static const QList<SiteCode>& sort();
    // The 13 categories, "All" "0" first.
    static const QList<SiteCategory>& categories();
    // The full language list: "All" "0" and the 33 languages, 34 rows.
    static const QList<SiteCode>& languages();
    // The one-row list shown for a category whose languages do not apply: "All" "0".
    static const QList<SiteCode>& allLanguagesOnly();

    // The row whose code equals `code`, or -1.
    static int indexOfCode(const QList<SiteCode>& rows, const QString& code);
    static int indexOfCode(const QList<SiteCategory>& rows, const QString& code);
};
