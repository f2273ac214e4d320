#include "watch/Watch.h"

#include "platform/core/Callback.h"
#include "platform/core/Operation.h"
#include "platform/core/OperationQueue.h"
#include "watch/WatchRun.h"
#include "watch/WatchSettings.h"

#include <algorithm>

namespace {

struct RoundResult
{
    bool failed = false;
    FetchFailure failure;
    QList<WatchMatch> matches;
};

class WatchRound : public Operation
{
public:
    WatchRound(QPair<QString, QString> account, Callback<RoundResult> done)
        : m_account(std::move(account))
        , m_done(std::move(done))
    {
    }
    void main() override
    {
        const WatchRun::Outcome outcome = WatchRun::scanOnce(m_account.first, m_account.second, true);
        m_done.post({outcome.failed, outcome.failure, outcome.matches});
    }

private:
    QPair<QString, QString> m_account;
    Callback<RoundResult> m_done;
};

} // namespace

Watch::Watch(std::function<bool()> signedIn, std::function<QPair<QString, QString>()> account, QObject* parent)
    : QObject(parent)
    , m_signedIn(std::move(signedIn))
    , m_account(std::move(account))
    , m_queue(std::make_unique<OperationQueue>(1))
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire up to 5% late: half an hour would become 31.5 minutes.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!scanNow())
            schedule(); // signed out: look again after the interval
    });
}

Watch::~Watch()
{
    m_queue->waitUntilAllOperationsAreFinished();
}

void Watch::setRunning(bool running)
{
    m_running = running;
    if (running)
        schedule();
    else
        m_timer.stop();
}

int Watch::pauseMinutes(int intervalMinutes, int failures)
{
    const int interval = std::clamp(intervalMinutes, WatchSettings::kMinInterval, WatchSettings::kMaxInterval);
    qint64 pause = interval;
    for (int i = 0; i < failures && pause < kMaxPauseMinutes; ++i)
        pause *= 2;
    return int(std::min<qint64>(pause, std::max(interval, kMaxPauseMinutes)));
}

bool Watch::scanNow()
{
    if (m_scanning || (m_signedIn && !m_signedIn()))
        return false;
    m_scanning = true;
    const QPair<QString, QString> account = m_account ? m_account() : QPair<QString, QString>();
    m_queue->addOperation(std::make_unique<WatchRound>(account, Callback<RoundResult>(this, [this](RoundResult result) {
        finished(result.failed, result.failure, result.matches);
    })));
    return true;
}

void Watch::finished(bool failed, const FetchFailure& failure, const QList<WatchMatch>& matches)
{
    m_scanning = false;
    m_failures = failed ? m_failures + 1 : 0;
    if (failed)
        Q_EMIT scanFailed(failure, pauseMinutes(WatchSettings::interval(), m_failures));
    else if (!matches.isEmpty())
        Q_EMIT newMatches(matches);
    Q_EMIT scanFinished();
    // The next round counts from the end of this one, with the pause its outcome asks for.
    if (m_running)
        schedule();
}

void Watch::schedule()
{
    m_timer.start(std::chrono::minutes(pauseMinutes(WatchSettings::interval(), m_failures)));
}
