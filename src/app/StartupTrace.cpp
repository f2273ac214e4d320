#include "app/StartupTrace.h"

#include "views/FlatTableViewCellView.h"
#include "views/TorrentItemTableViewCell.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <unistd.h>

void StartupTrace::install()
{
    qApp->installEventFilter(new StartupTrace(qApp));
}

StartupTrace::StartupTrace(QObject* parent) : QObject(parent)
{
}

double StartupTrace::millisecondsSinceProcessStart()
{
    // Field 22 of /proc/self/stat: the start time in clock ticks after boot; the command name
    // (field 2) may hold blanks, so the fields are counted after its closing parenthesis.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    bool ok = false;
    const double startTicks = fields.value(19).toDouble(&ok);
    timespec now = {};
    if (!ok || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

bool StartupTrace::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_seen && event->type() == QEvent::Paint) {
        auto* view = qobject_cast<FlatTableViewCellView*>(watched);
        if (view && qobject_cast<TorrentItemTableViewCell*>(view->parentWidget())) {
            m_seen = true;
            // Queued: the row's paint and the window's flush finish first.
            QMetaObject::invokeMethod(this, &StartupTrace::report, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void StartupTrace::report()
{
    std::printf("startup: first rows painted %.0f ms after process start (epoch %lld ms)\n",
                millisecondsSinceProcessStart(), QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
    qApp->removeEventFilter(this);
    deleteLater();
}
