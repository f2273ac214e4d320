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
    // A picture by name, for the screens' device pixel ratio (the highest of the screens).
    static QImage imageNamed(const QString& name);
    // A picture by name for a device pixel ratio: above 1 it is drawn afresh from the
    // picture's SVG source at that ratio (the same size in points, sharp on HiDPI screens);
    // otherwise, or without a source, the picture file itself, with an "@2x" variant
    // preferred when present.
    static QImage imageNamed(const QString& name, qreal ratio);
    // The device pixel ratio pictures are made for: the highest of the screens' (1 without a
    // GUI application).
    static qreal screenScale();
    // The application's icon at the sizes window managers and task bars ask for, drawn from
    // its one scalable picture.
    static QIcon applicationIcon();
};
