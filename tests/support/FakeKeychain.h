#pragma once

#include "platform/core/SecretStore.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// What a keychain keeps between two starts of the application.
struct KeychainContents
{
    QHash<QString, QString> entries;
    int writes = 0;
    int inFlight = 0;
    int mostInFlight = 0;
};

// A keychain that answers later, through the main loop, or (held) only when the test
// releases it: a locked keyring that waits for the user.
class FakeKeychain : public SecretStore
{
public:
    enum class Behaviour { Works, Unavailable, RefusesWrites };

    FakeKeychain(std::shared_ptr<KeychainContents> contents, Behaviour behaviour, bool hold = false);

    void read(const QString& key, Callback done) override;
    void write(const QString& key, const QString& value, Callback done) override;

    // Gives the held answers, in order, and every later one at once.
    void release();
    int heldAnswers() const { return int(m_held.size()); }

private:
    void answer(std::function<void()> give);

    std::shared_ptr<KeychainContents> m_contents;
    Behaviour m_behaviour;
    bool m_hold;
    QList<std::function<void()>> m_held;
};
