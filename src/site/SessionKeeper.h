#pragma once

#include <QtGlobal>

#include <atomic>

// The session state that every site request consults when the site answers its sign-in
// page (see HttpRequest::request). The navigation controller implements startRenewal();
// tests give their own. The two flags are atomic: workers read them while the main thread
// and the renewal's worker write them.
class SessionKeeper
{
public:
    virtual ~SessionKeeper() = default;

    // The one registered keeper; null until the application registers one.
    static SessionKeeper* instance();
    static void setInstance(SessionKeeper* keeper);

    // True while the main tab screens are on display.
    bool showLogin() const { return m_showLogin.load(); }
    void setShowLogin(bool shown) { m_showLogin.store(shown); }

    // True while the session is believed good.
    bool sessionValidated() const { return m_state.load() & kValidBit; }
    // Wakes the requests waiting for the session when it becomes good.
    void setSessionValidated(bool valid);

    // How many times the session has become good again; read before sending a request, so
    // that a request whose answer crossed a finished renewal sends again without another.
    quint64 validationEpoch() const { return m_state.load() >> 1; }

    // One atomic test-and-clear: of several requests that lose the session together only
    // the first clears the flag and starts a renewal. Returns whether this call started it.
    bool sessionInvalidated()
    {
        quint64 state = m_state.load();
        while (state & kValidBit) {
            if (m_state.compare_exchange_weak(state, state & ~kValidBit)) {
                startRenewal();
                return true;
            }
        }
        return false;
    }

    // The same, but only while the session is still in the epoch the request was sent in:
    // when a renewal has finished since, the answer predates it and no new one is needed.
    bool sessionInvalidatedSince(quint64 epoch)
    {
        quint64 expected = (epoch << 1) | kValidBit;
        if (!m_state.compare_exchange_strong(expected, epoch << 1))
            return false;
        startRenewal();
        return true;
    }

    // What a request does that was sent in epoch and met the sign-in page: start a renewal
    // (sessionInvalidatedSince) and wait until the session is good again, looking every
    // 200 ms and at once when it is validated. Returns false, at once, when the application
    // quits first: the request then ends as one that got no answer.
    bool renewSessionSince(quint64 epoch);

    static constexpr int kRenewalPollMilliseconds = 200;

protected:
    // Starts a background sign-in; on success it sets sessionValidated back to true.
    virtual void startRenewal() = 0;

private:
    static constexpr quint64 kValidBit = 1;

    std::atomic<bool> m_showLogin{false};
    // Bit 0: the session is believed good; the bits above: validationEpoch().
    std::atomic<quint64> m_state{kValidBit};
};
