#pragma once

#include <QRect>
#include <QString>

// The device the application runs as: model name, system version, interface idiom and
// the screen's bounds in points. Chosen once at start (--device phone|phone-568|tablet).
class Device
{
public:
    enum class Idiom { Phone, Pad };
    enum class Kind { Phone, Phone568, Tablet };

    static void setKind(Kind kind);
    static Kind kind();
    // Parses "phone", "phone-568" or "tablet"; false for anything else.
    static bool kindFromName(const QString& name, Kind* kind);

    static QString model();          // e.g. "Linux Phone"
    static QString systemName();
    static QString systemVersion();  // the operating system's version, e.g. "12"
    static Idiom userInterfaceIdiom();
    // True on a phone or tablet system (with its own settings app); false on a desktop, also
    // when the window imitates a phone.
    static bool runsOnPhoneSystem();
    static QRect screenBounds();     // (0, 0, 320, 480), (0, 0, 320, 568) or (0, 0, 768, 1024)
};
