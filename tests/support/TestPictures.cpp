#include "TestPictures.h"

#include <QDir>
#include <QImage>

QString testPicturePath(const QString& name)
{
    const QString folder = QStringLiteral(ITARNVALE_TEST_PICTURES);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

bool saveTestPicture(const QImage& image, const QString& name)
{
    const QString path = testPicturePath(name);
    if (!image.save(path))
        return false;
    qInfo("picture: %s", qPrintable(path));
    return true;
}
