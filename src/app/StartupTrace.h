#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class AllListViewController;

// --trace-startup: prints how long after the process started the first torrent rows were
// painted, then walks on as a user would and times it: the load-more row tapped until the list
// is painted with the next page, and a search until its results are painted. Each step waits
// until no exchange is under way (the rows' pictures, the header's figures), as a person's
// reading of the rows would: a tap in the same instant would find every kept connection busy. For start-up and
// round-trip measurements (bench/compare-browser reads the lines).
class StartupTrace : public QObject
{
    Q_OBJECT
public:
    // Watches the application's paint events from now on.
    static void install();

    // Milliseconds since the process started (from the kernel's start time of the process).
    static double millisecondsSinceProcessStart();

    // The word searched for in the walk.
    static constexpr const char* kSearchText = "open";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage { FirstRows, NextPage, Search, Done };

    explicit StartupTrace(QObject* parent);
    void reportFirstRows();
    void tapLoadMore();
    // Runs the step once no exchange is under way, or after at most 3 s.
    void whenQuiet(void (StartupTrace::*step)());
    void reportNextPage();
    void search();
    void reportSearch();
    void finish();
    bool rowsGrown() const;

    Stage m_stage = Stage::FirstRows;
    bool m_queued = false;
    QPointer<AllListViewController> m_list; // the list whose rows are awaited
    qsizetype m_rowsBefore = 0;
    QElapsedTimer m_clock;
};
