#pragma once

#include "platform/core/Operation.h"
#include "site/FetchOutcome.h"
#include "site/PriorityList.h"

#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

// Base of the page fetch operations: a subclass runs one request on a queue thread, reduces
// the answer to one result and hands it to a target (see FetchPageOf for the result side).
//
// Delivery, run by main() of FetchPageOf once the subclass has set the result:
//  - no selector: nothing is delivered (fire-and-forget requests);
//  - ordered (a priority list was given): first wait, looking every 200 ms and once before
//    the first sleep, while the list holds dependPriority; then hand over and remove every
//    entry equal to priority, so the next page of the batch may follow;
//  - the result is queued to the main thread without waiting; whether the target still
//    exists is looked at there. An operation set to deliver on the worker thread
//    (setDeliversOnWorkerThread: the session renewal's answer, which must not need the main
//    thread) calls its target directly instead; that target must outlive the operation.
class FetchPage : public Operation
{
public:
    static constexpr int kOrderPollMilliseconds = 200;

    QUrl url() const { return m_url; }

    // The ordering fields; the list is null for an unordered operation. An absent
    // dependPriority means there is nothing to wait for (the first page of a batch): no page
    // number can be mistaken for it.
    const std::shared_ptr<PriorityList>& priorityQueue() const { return m_priorityQueue; }
    int priority() const { return m_priority; }
    std::optional<int> dependPriority() const { return m_dependPriority; }

    // Where the operation writes how it went (see FetchOutcome) before it delivers; none by
    // default.
    void setOutcome(std::shared_ptr<FetchOutcome> outcome) { m_outcome = std::move(outcome); }

    bool deliversOnWorkerThread() const { return m_deliversOnWorkerThread; }
    void setDeliversOnWorkerThread(bool onWorker) { m_deliversOnWorkerThread = onWorker; }

protected:
    explicit FetchPage(const QUrl& url);
    FetchPage(const QUrl& url, std::shared_ptr<PriorityList> priorityQueue, int priority,
              std::optional<int> dependPriority);

    // Runs the delivery described above. hasSelector false delivers nothing (an ordered
    // operation still removes its own entry, so that its batch does not stall). send(true)
    // must call the target on this thread, send(false) queue the call to the main thread.
    void deliver(bool hasSelector, const std::function<void(bool onThisThread)>& send);
    // Keeps how the exchange went for the screen, when it asked (setOutcome).
    void recordOutcome(const FetchFailure& failure, bool cutShort = false);

private:
    QUrl m_url;
    std::shared_ptr<PriorityList> m_priorityQueue;
    int m_priority = 0;
    std::optional<int> m_dependPriority;
    bool m_deliversOnWorkerThread = false;
    std::shared_ptr<FetchOutcome> m_outcome;
};
