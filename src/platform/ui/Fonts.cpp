#include "platform/ui/Fonts.h"

#include <QFontMetricsF>

#include <cmath>

namespace {
constexpr auto kSans = "Liberation Sans";
constexpr auto kVerdana = "DejaVu Sans";

bool isBoldName(const QString& name)
{
    return name.contains(QLatin1String("Bold"), Qt::CaseInsensitive) ||
           name.contains(QLatin1String("Black"), Qt::CaseInsensitive);
}

bool isItalicName(const QString& name)
{
    return name.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
           name.contains(QLatin1String("Oblique"), Qt::CaseInsensitive);
}

QFont make(const QString& family, double size, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
} // namespace

QString Fonts::familyForName(const QString& name)
{
    if (name.startsWith(QLatin1String("Verdana"), Qt::CaseInsensitive))
        return QString::fromLatin1(kVerdana);
    if (name.startsWith(QLatin1String("DejaVu"), Qt::CaseInsensitive))
        return QString::fromLatin1(kVerdana);
    // Arial, ArialMT, Arial-BoldMT, ArialRoundedMTBold, Helvetica, HelveticaNeue, the system
    // font and every unknown name.
    return QString::fromLatin1(kSans);
}

QFont Fonts::fontWithName(const QString& name, double size)
{
    return make(familyForName(name), size, isBoldName(name), isItalicName(name));
}

QFont Fonts::systemFont(double size)
{
    return make(QString::fromLatin1(kSans), size, false, false);
}

QFont Fonts::boldSystemFont(double size)
{
    return make(QString::fromLatin1(kSans), size, true, false);
}

double Fonts::lineHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return metrics.ascent() + metrics.descent();
}
