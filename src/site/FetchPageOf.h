#pragma once

#include "platform/core/Callback.h"
#include "site/FetchPage.h"

#include <concepts>
#include <utility>

// A fetch operation whose result is a Result: the subclass's main() does its work, calls
// setReturnObject() and then FetchPageOf::main(), which delivers it to the target's member
// (see FetchPage for when and on which thread).
//
// Results by operation:
//   FetchPageAllTorrents  std::optional<QList<Torrent>>  (absent: answer not decodable)
//   FetchPageGeneric      QString                        (the request's result; null: absent)
//   FetchPagePost         bool                           (whether the site took the post)
//
//   queue.addOperation(std::make_unique<FetchPageAllTorrents>(
//       url, this, &RecentTorrentsViewController::loadedTorrents));
template <typename Result>
class FetchPageOf : public FetchPage
{
public:
    using ResultType = Result;

    FetchPageOf(const QUrl& url, Callback<Result> callback)
        : FetchPage(url)
        , m_callback(std::move(callback))
    {
    }

    FetchPageOf(const QUrl& url, Callback<Result> callback,
                std::shared_ptr<PriorityList> priorityQueue, int priority,
                std::optional<int> dependPriority)
        : FetchPage(url, std::move(priorityQueue), priority, dependPriority)
        , m_callback(std::move(callback))
    {
    }

    // target and one of its member functions taking one Result (the selector); a null
    // member delivers nothing.
    template <typename Target, typename Member>
        requires std::constructible_from<Callback<Result>, Target*, Member>
    FetchPageOf(const QUrl& url, Target* target, Member selector)
        : FetchPageOf(url, Callback<Result>(target, selector))
    {
    }

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<Result>, Target*, Member>
    FetchPageOf(const QUrl& url, Target* target, Member selector,
                std::shared_ptr<PriorityList> priorityQueue, int priority,
                std::optional<int> dependPriority)
        : FetchPageOf(url, Callback<Result>(target, selector), std::move(priorityQueue),
                      priority, dependPriority)
    {
    }

    const Callback<Result>& callback() const { return m_callback; }

    // Default-made (absent, empty or false) until the subclass sets it.
    const Result& returnObject() const { return m_returnObject; }
    void setReturnObject(Result result) { m_returnObject = std::move(result); }

    // The delivery of returnObject.
    void main() override
    {
        deliver(m_callback.isSet(), [this](bool onThisThread) {
            if (onThisThread)
                m_callback.invoke(std::move(m_returnObject));
            else
                m_callback.post(std::move(m_returnObject));
        });
    }

private:
    Callback<Result> m_callback;
    Result m_returnObject{};
};
