#include "platform/ui/Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QSvgRenderer>

#ifndef ITARNVALE_BUILD_VERSION
#define ITARNVALE_BUILD_VERSION "0"
#endif

// The resource files are compiled into the static UI library, where nothing else refers
// to them: without these calls the linker leaves them out of the programs. Each .qrc
// file of resources/ is named here.
static void registerResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(icons);
}

static void ensureResources()
{
    static const bool registered = [] {
        registerResources();
        return true;
    }();
    Q_UNUSED(registered);
}

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
    ensureResources();
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

QIcon Bundle::applicationIcon()
{
    ensureResources();
    static const QIcon icon = [] {
        QIcon made;
        QSvgRenderer svg(QStringLiteral(":/icons/itarnvale.svg"));
        if (!svg.isValid())
            return made;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
            painter.end();
            made.addPixmap(QPixmap::fromImage(image));
        }
        return made;
    }();
    return icon;
}
