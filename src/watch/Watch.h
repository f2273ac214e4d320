#pragma once

#include "platform/core/FetchFailure.h"
#include "watch/WatchMatch.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class OperationQueue;

// The app's watch: every interval (WatchSettings, 15 to 240 minutes) one round of WatchRun on
// a queue of its own, never two at once. After a failed round the next waits longer: twice
// the interval, then four times, ... up to 4 hours; a round that works brings the interval
// back. Nothing is asked of the site while `signedIn` answers false (the round is skipped,
// the timer goes on). Lives on the main thread; its signals come there.
class Watch : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxPauseMinutes = 240;

    // `account` gives the user name and password for a sign-in the round may need (empty:
    // none); `signedIn` whether the app holds a session now.
    Watch(std::function<bool()> signedIn, std::function<QPair<QString, QString>()> account,
          QObject* parent = nullptr);
    ~Watch() override; // waits for a round under way

    // Starts the timer (the first round after one interval), or stops it.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }
    // When the next round is due, in milliseconds; -1 while none is planned.
    int remainingMilliseconds() const { return m_timer.remainingTime(); }
    // A round now, unless one runs or the user is signed out; false when none was started.
    bool scanNow();
    bool isScanning() const { return m_scanning; }
    int failures() const { return m_failures; }

    // Minutes until the next round after `failures` failed rounds in a row.
    static int pauseMinutes(int intervalMinutes, int failures);

Q_SIGNALS:
    void newMatches(const QList<WatchMatch>& matches);
    void scanFailed(const FetchFailure& failure, int pauseMinutes);
    void scanFinished();

private:
    void finished(bool failed, const FetchFailure& failure, const QList<WatchMatch>& matches);
    void schedule();

    std::function<bool()> m_signedIn;
    std::function<QPair<QString, QString>()> m_account;
    std::unique_ptr<OperationQueue> m_queue;
    QTimer m_timer;
    bool m_running = false;
    bool m_scanning = false;
    int m_failures = 0;
};
