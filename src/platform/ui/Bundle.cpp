#include "platform/ui/Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifndef ITARNVALE_BUILD_VERSION
#define ITARNVALE_BUILD_VERSION "0"
#endif

QString Bundle::buildVersion()
{
    return QStringLiteral(ITARNVALE_BUILD_VERSION);
}

QVariant Bundle::infoValue(const QString& key)
{
    if (key == QLatin1String("CFBundleVersion") || key == QLatin1String("CFBundleShortVersionString"))
        return buildVersion();
    if (key == QLatin1String("CFBundleName"))
        return QStringLiteral("iTarnvale");
    return {};
}

QString Bundle::pathForResource(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QStringList candidates{QStringLiteral(":/images/") + name, QStringLiteral(":/") + name,
                                 QStringLiteral(":/layouts/") + name};
    for (const QString& path : candidates) {
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QByteArray Bundle::resourceData(const QString& name)
{
    const QString path = pathForResource(name);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage Bundle::imageNamed(const QString& name)
{
    // "picture.png" has a sharper "picture@2x.png" twin on HiDPI screens.
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    const QString hiRes = info.completeBaseName() + QStringLiteral("@2x.") + suffix;
    QString path = pathForResource(hiRes);
    qreal ratio = 2.0;
    if (path.isEmpty()) {
        path = pathForResource(name);
        ratio = 1.0;
    }
    if (path.isEmpty())
        return {};
    QImage image(path);
    if (!image.isNull() && ratio != 1.0)
        image.setDevicePixelRatio(ratio);
    return image;
}
