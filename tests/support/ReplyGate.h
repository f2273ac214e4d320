#pragma once

#include <QSet>
#include <QString>
#include <QtGlobal>
#include <QStringList>

#include <condition_variable>
#include <mutex>

// Lets a test decide when a loopback server answers: the handler holds on a key (say the
// request's path) until the test releases that key, so the order of the replies is set by
// the test's events instead of by delays.
//
//   server.setHandler([&gate](const httplib::Request& request, httplib::Response& response) {
//       gate.hold(QString::fromStdString(request.path));
//       ...
//   });
//   QTRY_COMPARE(gate.held(), QStringList{"/a"});
//   gate.release("/a");
//
// A server joins its handler threads when it stops, so release what is held (releaseAll())
// before the server goes; the destructor does too, and waits until no handler is inside.
class ReplyGate
{
public:
    ReplyGate() = default;
    ~ReplyGate();
    ReplyGate(const ReplyGate&) = delete;
    ReplyGate& operator=(const ReplyGate&) = delete;

    // Handler side: returns once the key is released (at once when it already was).
    void hold(const QString& key);

    // Test side.
    void release(const QString& key);
    void releaseAll(); // what is held now and every key from now on, until reset()
    // Lets go what is held now (it belongs to what came before) and holds keys again from
    // now on, forgetting earlier releases.
    void reset();
    QStringList held() const; // keys held now, in the order they arrived

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    QSet<QString> m_released;
    QStringList m_held;
    bool m_open = false;
    quint64 m_round = 0; // a hold begun in an earlier round is let go
    int m_inside = 0;
};
