#include "Fixture.h"

#include <QFile>

QString fixture(const QString& name)
{
    QFile file(QStringLiteral(ITARNVALE_FIXTURES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}
