#include "app/StartupTrace.h"

#include "platform/core/UrlLoader.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "screens/common/AllListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "views/FlatTableViewCellView.h"
#include "views/TorrentItemTableViewCell.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int kSearchTab = 2;

TableView* enclosingTable(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* table = qobject_cast<TableView*>(w))
            return table;
    }
    return nullptr;
}

} // namespace

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

bool StartupTrace::rowsGrown() const
{
    return m_list && m_list->torrentData() && m_list->torrentData()->size() > m_rowsBefore;
}

bool StartupTrace::eventFilter(QObject* watched, QEvent* event)
{
    if (m_queued || event->type() != QEvent::Paint || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    // Reports are queued: the paint and the window's flush finish first.
    switch (m_stage) {
    case Stage::FirstRows:
        if (qobject_cast<FlatTableViewCellView*>(widget)
            && qobject_cast<TorrentItemTableViewCell*>(widget->parentWidget())) {
            if (TableView* table = enclosingTable(widget))
                m_list = dynamic_cast<AllListViewController*>(table->dataSource());
            m_queued = true;
            QMetaObject::invokeMethod(this, &StartupTrace::reportFirstRows, Qt::QueuedConnection);
        }
        break;
    case Stage::NextPage:
    case Stage::Search:
        if (rowsGrown() && m_list->tableView()->isAncestorOf(widget)) {
            m_queued = true;
            QMetaObject::invokeMethod(this,
                                      m_stage == Stage::NextPage ? &StartupTrace::reportNextPage
                                                                 : &StartupTrace::reportSearch,
                                      Qt::QueuedConnection);
        }
        break;
    case Stage::Done:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void StartupTrace::reportFirstRows()
{
    std::printf("startup: first rows painted %.0f ms after process start (epoch %lld ms)\n",
                millisecondsSinceProcessStart(), QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
    whenQuiet(&StartupTrace::tapLoadMore);
}

void StartupTrace::whenQuiet(void (StartupTrace::*step)())
{
    QElapsedTimer waited;
    waited.start();
    auto* poll = new QTimer(this);
    poll->setInterval(2);
    connect(poll, &QTimer::timeout, this, [this, poll, waited, step] {
        if (UrlLoader::exchangesUnderWay() > 0 && !waited.hasExpired(3000))
            return;
        poll->deleteLater();
        std::printf("trace: waited %lld ms for a quiet link\n", waited.elapsed());
        (this->*step)();
    });
    poll->start();
}

void StartupTrace::tapLoadMore()
{
    m_queued = false;
    if (!m_list || !m_list->torrentData())
        return finish();
    m_stage = Stage::NextPage;
    m_rowsBefore = m_list->torrentData()->size();
    m_clock.start();
    m_list->didSelectRowAtIndexPath(m_list->tableView(), IndexPath::forRow(int(m_rowsBefore)));
}

void StartupTrace::reportNextPage()
{
    std::printf("load-more: next page painted %.1f ms after the tap\n", double(m_clock.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    whenQuiet(&StartupTrace::search);
}

void StartupTrace::search()
{
    m_queued = false;
    TabBarController* tabs = m_list ? m_list->tabBarController() : nullptr;
    if (!tabs || tabs->viewControllers().size() <= kSearchTab)
        return finish();
    ViewController* tab = tabs->viewControllers().at(kSearchTab);
    if (auto* navigation = qobject_cast<NavigationController*>(tab))
        tab = navigation->topViewController();
    auto* searchList = dynamic_cast<SearchListViewController*>(tab);
    if (!searchList)
        return finish();
    tabs->setSelectedIndex(kSearchTab);
    searchList->view();
    SearchBar* bar = searchList->mySearchBar();
    if (!bar)
        return finish();
    bar->setText(QString::fromLatin1(kSearchText));
    m_stage = Stage::Search;
    m_list = searchList;
    m_rowsBefore = 0;
    m_clock.start();
    searchList->searchBarSearchButtonClicked(bar);
}

void StartupTrace::reportSearch()
{
    std::printf("search: results painted %.1f ms after the query\n", double(m_clock.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    finish();
}

void StartupTrace::finish()
{
    m_stage = Stage::Done;
    std::printf("trace: done\n");
    std::fflush(stdout);
    qApp->removeEventFilter(this);
    deleteLater();
}
