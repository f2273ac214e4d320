#pragma once

#include "platform/core/MainThread.h"

#include <QObject>
#include <QPointer>

#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

// A target plus one of its member functions taking one object: how an operation hands its
// result back. The target is watched, not owned: a call meant for a destroyed target is
// dropped. A default-made Callback (or one made with a null member) is absent: nothing is
// ever delivered through it.
//
//   Callback<QString>(screen, &WebViewController::initializeWebView)
//
// Result is passed by value to the member, which may take it by value or by const reference.
template <typename Result>
class Callback
{
public:
    Callback() = default;

    template <typename Target, typename Member>
        requires std::derived_from<Target, QObject>
                 && std::is_member_function_pointer_v<Member>
                 && std::invocable<Member, Target*, Result>
    Callback(Target* target, Member member)
    {
        if (!target || !member)
            return;
        m_target = target;
        m_call = [member](QObject* object, Result result) {
            std::invoke(member, static_cast<Target*>(object), std::move(result));
        };
    }

    // A function run in the place of a member, dropped once the context object is gone.
    Callback(QObject* context, std::function<void(Result)> function)
    {
        if (!context || !function)
            return;
        m_target = context;
        m_call = [function = std::move(function)](QObject*, Result result) {
            function(std::move(result));
        };
    }

    bool isSet() const { return bool(m_call); }
    QObject* target() const { return m_target.data(); }

    // Calls the member now, on this thread, when the target still exists. Only safe on a
    // thread where the target cannot be destroyed meanwhile (its own, normally the main one).
    void invoke(Result result) const
    {
        if (m_call && m_target)
            m_call(m_target.data(), std::move(result));
    }

    // Queues the call to the main thread without waiting. Whether the target still exists
    // is looked at there, at the moment of the call.
    void post(Result result) const
    {
        if (!m_call)
            return;
        MainThread::post([target = m_target, call = m_call,
                          result = std::make_shared<Result>(std::move(result))]() {
            if (target)
                call(target.data(), std::move(*result));
        });
    }

private:
    QPointer<QObject> m_target;
    std::function<void(QObject*, Result)> m_call;
};
