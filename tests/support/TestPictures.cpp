#include "TestPictures.h"

#include <QDir>

QString testPicturePath(const QString& name)
{
    const QString folder = QStringLiteral(ITARNVALE_TEST_PICTURES);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}
