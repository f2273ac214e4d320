#include "settings/SiteCodes.h"

namespace {
template <typename Row>
int indexIn(const QList<Row>& rows, const QString& code)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).code == code)
            return i;
    }
    return -1;
}
} // namespace

const QList<SiteCode>& SiteCodes::order()
{
    static const QList<SiteCode> rows{
        {QStringLiteral("Date"), QLatin1String("")},
        {QStringLiteral("Size"), QStringLiteral("B")},
        {QStringLiteral("Seeders"), QStringLiteral("S")},
        {QStringLiteral("Leechers"), QStringLiteral("L")},
    };
    return rows;
}

const QList<SiteCode>& SiteCodes::sort()
{
    static const QList<SiteCode> rows{
        {QStringLiteral("Desc"), QStringLiteral("desc")},
        {QStringLiteral("Asc"), QStringLiteral("asc")},
    };
    return rows;
}

const QList<SiteCategory>& SiteCodes::categories()
{
    static const QList<SiteCategory> rows{
        {QStringLiteral("All"), QStringLiteral("0"), false},
        {QStringLiteral("Applications"), QStringLiteral("5"), true},
        {QStringLiteral("Audio Books"), QStringLiteral("17"), true},
        {QStringLiteral("Books"), QStringLiteral("11"), true},
        {QStringLiteral("Comics"), QStringLiteral("10"), true},
        {QStringLiteral("Games"), QStringLiteral("4"), true},
        {QStringLiteral("Japanese Anime"), QStringLiteral("9"), true},
        {QStringLiteral("Miscellaneous"), QStringLiteral("6"), false},
        {QStringLiteral("Movies"), QStringLiteral("1"), true},
        {QStringLiteral("Music"), QStringLiteral("2"), false},
        {QStringLiteral("Music Videos"), QStringLiteral("13"), false},
        {QStringLiteral("Pictures"), QStringLiteral("8"), false},
        {QStringLiteral("TV"), QStringLiteral("3"), true},
    };
    return rows;
}

const QList<SiteCode>& SiteCodes::languages()
{
    static const QList<SiteCode> rows{
        {QStringLiteral("All"), QStringLiteral("0")},
        {QStringLiteral("Arabic"), QStringLiteral("19")},
        {QStringLiteral("Bulgarian"), QStringLiteral("20")},
        {QStringLiteral("Chinese"), QStringLiteral("12")},
        {QStringLiteral("Croatian"), QStringLiteral("14")},
        {QStringLiteral("Czech"), QStringLiteral("13")},
        {QStringLiteral("Danish"), QStringLiteral("11")},
        {QStringLiteral("Dutch"), QStringLiteral("5")},
        {QStringLiteral("English"), QStringLiteral("1")},
        {QStringLiteral("Estonian"), QStringLiteral("32")},
        {QStringLiteral("Farsi"), QStringLiteral("29")},
        {QStringLiteral("Finnish"), QStringLiteral("33")},
        {QStringLiteral("French"), QStringLiteral("3")},
        {QStringLiteral("German"), QStringLiteral("22")},
        {QStringLiteral("Greek"), QStringLiteral("24")},
        {QStringLiteral("Hebrew"), QStringLiteral("23")},
        {QStringLiteral("Hindi"), QStringLiteral("31")},
        {QStringLiteral("Hungarian"), QStringLiteral("15")},
        {QStringLiteral("Italian"), QStringLiteral("4")},
        {QStringLiteral("Japanese"), QStringLiteral("6")},
        {QStringLiteral("Korean"), QStringLiteral("21")},
        {QStringLiteral("Kurdish"), QStringLiteral("28")},
        {QStringLiteral("Malayalam"), QStringLiteral("25")},
        {QStringLiteral("Norwegian"), QStringLiteral("7")},
        {QStringLiteral("Polish"), QStringLiteral("16")},
        {QStringLiteral("Portuguese"), QStringLiteral("8")},
        {QStringLiteral("Romanian"), QStringLiteral("9")},
        {QStringLiteral("Russian"), QStringLiteral("18")},
        {QStringLiteral("Serbian"), QStringLiteral("30")},
        {QStringLiteral("Slovenian"), QStringLiteral("26")},
        {QStringLiteral("Spanish"), QStringLiteral("2")},
        {QStringLiteral("Swedish"), QStringLiteral("10")},
        {QStringLiteral("Thai"), QStringLiteral("17")},
        {QStringLiteral("Turkish"), QStringLiteral("27")},
    };
    return rows;
}

const QList<SiteCode>& SiteCodes::allLanguagesOnly()
{
    static const QList<SiteCode> rows{{QStringLiteral("All"), QStringLiteral("0")}};
    return rows;
}

int SiteCodes::indexOfCode(const QList<SiteCode>& rows, const QString& code)
{
    return indexIn(rows, code);
}

int SiteCodes::indexOfCode(const QList<SiteCategory>& rows, const QString& code)
{
    return indexIn(rows, code);
}
