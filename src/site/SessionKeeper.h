#pragma once

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
    bool sessionValidated() const { return m_sessionValidated.load(); }
    void setSessionValidated(bool valid) { m_sessionValidated.store(valid); }

    // One atomic test-and-clear: of several requests that lose the session together only
    // the first clears the flag and starts a renewal. Returns whether this call started it.
    bool sessionInvalidated()
    {
        bool expected = true;
        if (!m_sessionValidated.compare_exchange_strong(expected, false))
            return false;
        startRenewal();
        return true;
    }

protected:
    // Starts a background sign-in; on success it sets sessionValidated back to true.
    virtual void startRenewal() = 0;

private:
    std::atomic<bool> m_showLogin{false};
    std::atomic<bool> m_sessionValidated{true};
};
