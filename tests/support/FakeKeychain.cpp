#include "FakeKeychain.h"

#include <QTimer>

#include <algorithm>
#include <utility>

FakeKeychain::FakeKeychain(std::shared_ptr<KeychainContents> contents, Behaviour behaviour, bool hold)
    : m_contents(std::move(contents))
    , m_behaviour(behaviour)
    , m_hold(hold)
{
}

void FakeKeychain::read(const QString& key, Callback done)
{
    answer([this, key, done] {
        Reply reply;
        if (m_behaviour == Behaviour::Unavailable)
            reply.status = Status::Unavailable;
        else if (m_contents->entries.contains(key))
            reply = {Status::Ok, m_contents->entries.value(key), QString()};
        else
            reply.status = Status::NotFound;
        done(reply);
    });
}

void FakeKeychain::write(const QString& key, const QString& value, Callback done)
{
    ++m_contents->writes;
    m_contents->mostInFlight = std::max(m_contents->mostInFlight, ++m_contents->inFlight);
    answer([this, key, value, done] {
        --m_contents->inFlight;
        Reply reply;
        reply.status = m_behaviour == Behaviour::Works ? Status::Ok : Status::Failed;
        if (reply.status == Status::Ok)
            m_contents->entries.insert(key, value);
        done(reply);
    });
}

void FakeKeychain::release()
{
    m_hold = false;
    const auto held = std::exchange(m_held, {});
    for (const auto& give : held)
        give();
}

void FakeKeychain::answer(std::function<void()> give)
{
    if (m_hold)
        m_held.append(std::move(give));
    else
        QTimer::singleShot(0, std::move(give));
}
