#pragma once

#include <QDeadlineTimer>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

// A private BitTorrent client with a web interface, for tests and the demo: its own temporary
// folders and configuration, every port on 127.0.0.1 and free when it starts, everything
// that would reach beyond this machine off, and its processes ending with the one that
// started them (at stop(), at destruction, and through the kernel should this process die).
//
// A free port is only free when it is looked at: another process (a parallel test starting
// its own daemon) may take it before the daemon binds it. So start() waits until the port
// is listened on by the daemon's own process and its interface answers as its own, and
// launches it again on other ports when something else holds one.
class LoopbackDaemon
{
public:
    virtual ~LoopbackDaemon(); // stops the daemon
    LoopbackDaemon(const LoopbackDaemon&) = delete;
    LoopbackDaemon& operator=(const LoopbackDaemon&) = delete;

    // Writes the configuration, starts the daemon and waits (up to timeoutMs in all) until its
    // own interface answers. Returns false, with errorText() saying why, when it did not come up.
    bool start(int timeoutMs = 60000);
    // Asks the processes to end (SIGTERM), the last started first; kills what does not end.
    void stop();
    bool isRunning() const;
    QString errorText() const { return m_error; }

    static QString address() { return QStringLiteral("127.0.0.1"); }
    // The web interface's port.
    int port() const { return m_port; }
    QString username() const { return m_username; }
    QString password() const { return m_password; }
    QString downloadDirectory() const;

    // The adapter's class name for this client ("Qbittorrent", "Deluge").
    virtual QString clientName() const = 0;
    // The torrents the client holds, info hash to name, read through its own interface;
    // nullopt when it did not answer.
    virtual std::optional<QMap<QString, QString>> torrents() = 0;

    // The ports the first launch tries, in the order the client names them (the web
    // interface's first); later launches and ports not given take free ones.
    void setPreferredPorts(const QList<int>& ports) { m_preferredPorts = ports; }

    // A port on 127.0.0.1 that nothing listens on just now; 0 when none was found.
    static int freePort();
    // The program's path, found on the search path or in /usr/bin; empty when not installed.
    static QString findProgram(const QString& name);

protected:
    LoopbackDaemon(const QString& username, const QString& password);

    enum class Answer { Nothing, Own, SomethingElse };

    // The programs this client needs, each found on the path; what is missing is named in
    // errorText().
    virtual bool findPrograms() = 0;
    // Writes the configuration for fresh ports (setPort() with the web interface's) and starts
    // the processes with startProcess(). False when they cannot run at all.
    virtual bool launch() = 0;
    // Whether the daemon is up: called until it answers Own or SomethingElse.
    virtual Answer probe() = 0;

    // The ports for one launch, all different: the preferred ones on the first launch, free
    // ones otherwise. Empty when there were not enough.
    QList<int> portsForLaunch(int count);
    // Starts a process whose output goes to the log file of that name in the folder.
    bool startProcess(const QString& program, const QStringList& arguments, const QString& logName);
    // Who listens on this port: nothing, one of this daemon's processes, or another process.
    Answer listener(int port) const;
    QString folderPath(const QString& name) const;
    void setPort(int port) { m_port = port; }
    void setError(const QString& error) { m_error = error; }

private:
    static constexpr int kLaunchAttempts = 5;
    enum class Launch { Up, TryAnotherPort, Failed };

    Launch launchOnce(const QDeadlineTimer& deadline);
    QString logTail() const;

    const QString m_username;
    const QString m_password;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QStringList m_logs;
    QList<int> m_preferredPorts;
    int m_launches = 0;
    int m_port = 0;
    QString m_error;
};
