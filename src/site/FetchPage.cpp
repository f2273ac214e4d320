#include "site/FetchPage.h"

#include "platform/core/Shutdown.h"

FetchPage::FetchPage(const QUrl& url)
    : m_url(url)
{
}

FetchPage::FetchPage(const QUrl& url, std::shared_ptr<PriorityList> priorityQueue, int priority,
                     std::optional<int> dependPriority)
    : m_url(url)
    , m_priorityQueue(std::move(priorityQueue))
    , m_priority(priority)
    , m_dependPriority(dependPriority)
{
}

void FetchPage::deliver(bool hasSelector, const std::function<void(bool onThisThread)>& send)
{
    if (!m_priorityQueue) {
        if (hasSelector)
            send(m_deliversOnWorkerThread);
        return;
    }
    if (hasSelector) {
        const bool turn = Shutdown::waitUntil([this] {
            return !m_dependPriority || !m_priorityQueue->contains(*m_dependPriority);
        }, std::chrono::milliseconds(kOrderPollMilliseconds));
        if (turn) // otherwise the application is quitting: nobody is left to deliver to
            send(m_deliversOnWorkerThread);
    }
    // Removed only after the call was queued, so the next page's call is queued behind it.
    m_priorityQueue->remove(m_priority);
}

void FetchPage::recordOutcome(const FetchFailure& failure, bool cutShort)
{
    if (m_outcome) {
        m_outcome->failure = failure;
        m_outcome->cutShort = cutShort;
    }
}
