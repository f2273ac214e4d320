#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QVariant>

// The application's own information and resources. The build version (key
// "CFBundleVersion") is set by the build; resources are Qt resources found by name.
class Bundle
{
public:
    // "CFBundleVersion", "CFBundleShortVersionString", "CFBundleName"; an invalid
    // QVariant for other keys.
    static QVariant infoValue(const QString& key);
    static QString buildVersion();

    // The Qt resource path of a named resource ("back.png" -> ":/images/back.png"),
    // or a null string when there is none.
    static QString pathForResource(const QString& name);
    static QByteArray resourceData(const QString& name);
    // A picture by name, with "@2x" variants preferred when present.
    static QImage imageNamed(const QString& name);
    // The application's icon at the sizes window managers and task bars ask for, drawn from
    // its one scalable picture.
    static QIcon applicationIcon();
};
