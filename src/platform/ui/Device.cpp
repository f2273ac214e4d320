#include "platform/ui/Device.h"

#include <QSysInfo>

namespace {
Device::Kind g_kind = Device::Kind::Phone;
}

void Device::setKind(Kind kind)
{
    g_kind = kind;
}

Device::Kind Device::kind()
{
    return g_kind;
}

bool Device::kindFromName(const QString& name, Kind* kind)
{
    Kind k;
    if (name == QLatin1String("phone"))
        k = Kind::Phone;
    else if (name == QLatin1String("phone-568"))
        k = Kind::Phone568;
    else if (name == QLatin1String("tablet"))
        k = Kind::Tablet;
    else
        return false;
    if (kind)
        *kind = k;
    return true;
}

QString Device::model()
{
    // The model names carry a blank on purpose: the notice check strips blanks from them.
    return g_kind == Kind::Tablet ? QStringLiteral("Linux Tablet") : QStringLiteral("Linux Phone");
}

QString Device::systemName()
{
    return QSysInfo::productType();
}

QString Device::systemVersion()
{
    return QSysInfo::productVersion();
}

Device::Idiom Device::userInterfaceIdiom()
{
    return g_kind == Kind::Tablet ? Idiom::Pad : Idiom::Phone;
}

QRect Device::screenBounds()
{
    switch (g_kind) {
    case Kind::Phone568:
        return {0, 0, 320, 568};
    case Kind::Tablet:
        return {0, 0, 768, 1024};
    case Kind::Phone:
        break;
    }
    return {0, 0, 320, 480};
}

bool Device::runsOnPhoneSystem()
{
#if defined(Q_OS_IOS) || defined(Q_OS_ANDROID)
    return true;
#else
    return false;
#endif
}
