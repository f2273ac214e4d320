#pragma once

#include <QFont>
#include <QString>

// Fonts by the names the screens use. The phone's fonts are not installed here, so each name
// maps to an installed metric-compatible family: Arial and Helvetica to Liberation Sans (same
// widths), Verdana to DejaVu Sans (descended from the same wide humanist design), Arial Rounded
// to Liberation Sans Bold (same widths as Arial Bold, close to the rounded cut). Sizes are in
// points and one point is one device-independent pixel, so they become pixel sizes.
class Fonts
{
public:
    static QFont fontWithName(const QString& name, double size);
    static QFont systemFont(double size);
    static QFont boldSystemFont(double size);
    // The installed family a phone font name maps to ("Liberation Sans", "DejaVu Sans").
    static QString familyForName(const QString& name);

    // The phone's line height of a font: ascent plus descent.
    static double lineHeight(const QFont& font);
};
