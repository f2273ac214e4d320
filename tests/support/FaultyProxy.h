#pragma once

#include "RelayListener.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <string>

// A TCP relay on 127.0.0.1 in front of a server, that fails the way a test tells it: the
// app's site host points at the relay, and every connection from then on meets the fault.
// Relay passes bytes both ways untouched; the others never reach the server. Hold waits for
// release() (or the relay's end) without a byte, so a client's time-out is met by an event,
// not by a sleep; a test sets a short time-out and leaves the connection held. Every
// relayed request asks the server to close after its answer, so a client that keeps its
// connections still meets each fault on the request it was set for.
class FaultyProxy
{
public:
    enum class Fault {
        Relay,        // passes everything to the server
        Hold,         // reads the request, answers nothing until release()
        Close,        // reads the request and closes: no answer at all
        Reset,        // reads the request and resets the connection
        CutBody,      // a 200 head promising 4096 bytes, 10 of them, then the close
        Answer503,    // "503 Service Unavailable" with a small page
    };

    // Relays to 127.0.0.1:upstreamPort.
    explicit FaultyProxy(int upstreamPort);
    ~FaultyProxy(); // lets go what is held, closes every connection, joins its threads
    FaultyProxy(const FaultyProxy&) = delete;
    FaultyProxy& operator=(const FaultyProxy&) = delete;

    bool isListening() const { return m_listener.isListening(); }
    int port() const { return m_listener.port(); }
    QString hostAndPort() const; // "127.0.0.1:port"

    // From the next connection on. With `onlyIf`, only requests whose head holds that text
    // meet the fault; the others are relayed.
    void setFault(Fault fault, const std::string& onlyIf = std::string());
    // Lets every held connection go on as a relay.
    void release();
    // Connections accepted so far.
    int connectionCount() const;

private:
    void serve(int client);
    void relay(int client, const std::string& head);
    bool waitForRelease();

    int m_upstreamPort;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    Fault m_fault = Fault::Relay;
    std::string m_onlyIf;
    quint64 m_releases = 0;
    bool m_stopping = false;
    // Last, so that it ends (and joins the threads that serve) before the rest goes.
    RelayListener m_listener{[this](int client) { serve(client); }};
};
