#include "platform/ui/Bundle.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

#ifndef ITARNVALE_BUILD_VERSION
#define ITARNVALE_BUILD_VERSION "0"
#endif

// The resource files are compiled into the static UI library, where nothing else refers
// to them: without these calls the linker leaves them out of the programs. Each .qrc
// file of resources/ is named here.
static void registerResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(pictures);
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

qreal Bundle::screenScale()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app ? std::max<qreal>(1.0, app->devicePixelRatio()) : 1.0;
}

// The picture drawn from its SVG source ("back.png" -> ":/svg/back.png.svg") at its own size
// in points times the ratio, as the committed picture files are drawn at 1 (on black for
// JPEG pictures, which have no transparency). Drawn once per name and ratio.
static QImage drawnFromSource(const QString& name, qreal ratio)
{
    static QMutex lock;
    static QHash<QString, QImage> drawn;
    const QString key = name + QLatin1Char('@') + QString::number(ratio);
    QMutexLocker locked(&lock);
    const auto known = drawn.constFind(key);
    if (known != drawn.constEnd())
        return *known;
    ensureResources();
    QImage image;
    QSvgRenderer svg(QStringLiteral(":/svg/") + name + QStringLiteral(".svg"));
    if (svg.isValid() && !svg.defaultSize().isEmpty()) {
        const QSize points = svg.defaultSize();
        const bool jpeg = name.endsWith(QLatin1String(".jpg"));
        image = QImage(QSize(int(std::ceil(points.width() * ratio)), int(std::ceil(points.height() * ratio))),
                       jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        image.fill(jpeg ? Qt::black : Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(points) * ratio));
        painter.end();
        image.setDevicePixelRatio(ratio);
    }
    drawn.insert(key, image);
    return image;
}

QImage Bundle::imageNamed(const QString& name)
{
    return imageNamed(name, screenScale());
}

QImage Bundle::imageNamed(const QString& name, qreal ratio)
{
    if (name.isEmpty())
        return {};
    if (ratio > 1.0) {
        const QImage drawn = drawnFromSource(name, ratio);
        if (!drawn.isNull())
            return drawn;
    }
    // "picture.png" has a sharper "picture@2x.png" twin on HiDPI screens.
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    const QString hiRes = info.completeBaseName() + QStringLiteral("@2x.") + suffix;
    QString path = pathForResource(hiRes);
    qreal fileRatio = 2.0;
    if (path.isEmpty()) {
        path = pathForResource(name);
        fileRatio = 1.0;
    }
    if (path.isEmpty())
        return {};
    QImage image(path);
    if (!image.isNull() && fileRatio != 1.0)
        image.setDevicePixelRatio(fileRatio);
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
