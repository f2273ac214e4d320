#include "LoopbackDaemon.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

LoopbackDaemon::LoopbackDaemon(const QString& username, const QString& password)
    : m_username(username), m_password(password)
{
}

LoopbackDaemon::~LoopbackDaemon()
{
    stop();
}

int LoopbackDaemon::freePort()
{
    // Bind port 0 and give the port back; the daemon takes it a moment later.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

QString LoopbackDaemon::findProgram(const QString& name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin")});
    return path;
}

QList<int> LoopbackDaemon::portsForLaunch(int count)
{
    QList<int> ports = m_launches++ == 0 ? m_preferredPorts.mid(0, count) : QList<int>();
    for (int tries = 0; ports.size() < count && tries < count * 10; ++tries) {
        const int port = freePort();
        if (port != 0 && !ports.contains(port))
            ports.append(port);
    }
    return ports.size() == count ? ports : QList<int>();
}

QString LoopbackDaemon::folderPath(const QString& name) const
{
    return m_folder ? m_folder->filePath(name) : QString();
}

QString LoopbackDaemon::downloadDirectory() const
{
    return folderPath(QStringLiteral("downloads"));
}

bool LoopbackDaemon::isRunning() const
{
    if (m_processes.empty())
        return false;
    for (const auto& process : m_processes) {
        if (process->state() != QProcess::Running)
            return false;
    }
    return true;
}

bool LoopbackDaemon::startProcess(const QString& program, const QStringList& arguments, const QString& logName)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    const QString log = folderPath(logName + QStringLiteral(".log"));
    process->setStandardOutputFile(log, QIODevice::Append);
    // Should this process die without stopping the daemon, the kernel ends the daemon too.
    // (The signal follows the starting thread: start() is called from the main thread.)
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->start(program, arguments);
    const bool started = process->waitForStarted(5000);
    if (!started)
        m_error = program + QStringLiteral(" did not start: ") + process->errorString();
    m_logs.append(log);
    m_processes.push_back(std::move(process));
    return started;
}

void LoopbackDaemon::stop()
{
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess& process = **it;
        if (process.state() == QProcess::NotRunning)
            continue;
        process.terminate();
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
    m_processes.clear();
}

bool LoopbackDaemon::start(int timeoutMs)
{
    if (isRunning())
        return true;
    if (!findPrograms())
        return false;
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    QDir(m_folder->path()).mkpath(QStringLiteral("downloads"));
    m_launches = 0;
    const QDeadlineTimer deadline(timeoutMs);
    for (int attempt = 1;; ++attempt) {
        const Launch launched = launchOnce(deadline);
        if (launched == Launch::Up)
            return true;
        stop();
        if (launched == Launch::Failed || attempt == kLaunchAttempts || deadline.hasExpired())
            return false;
    }
}

LoopbackDaemon::Launch LoopbackDaemon::launchOnce(const QDeadlineTimer& deadline)
{
    m_logs.clear();
    if (!launch())
        return Launch::Failed;
    while (!deadline.hasExpired()) {
        for (const auto& process : m_processes) {
            if (process->state() != QProcess::Running) {
                // Perhaps for a port: other ones are worth a try.
                m_error = process->program() + QStringLiteral(" ended: ") + logTail();
                return Launch::TryAnotherPort;
            }
        }
        switch (probe()) {
        case Answer::Own:
            return Launch::Up;
        case Answer::SomethingElse:
            m_error = QStringLiteral("a port of %1 is held by another server").arg(clientName());
            return Launch::TryAnotherPort;
        case Answer::Nothing:
            break;
        }
        QThread::msleep(50);
    }
    m_error = clientName() + QStringLiteral(" did not answer in time: ") + logTail();
    return Launch::Failed;
}

LoopbackDaemon::Answer LoopbackDaemon::listener(int port) const
{
    // The listening socket of 127.0.0.1:port in the kernel's table, by its inode...
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return Answer::Nothing;
    const QByteArray local = QByteArray("0100007F:") + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    QByteArray inode;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 9 && fields.at(1) == local && fields.at(3) == "0A") {
            inode = fields.at(9);
            break;
        }
    }
    if (inode.isEmpty())
        return Answer::Nothing;
    // ...and whether one of our processes holds it.
    const QByteArray socket = "socket:[" + inode + ']';
    for (const auto& process : m_processes) {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(process->processId()));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            char target[64];
            const ssize_t length = ::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target);
            if (length > 0 && QByteArray(target, length) == socket)
                return Answer::Own;
        }
    }
    return Answer::SomethingElse;
}

QString LoopbackDaemon::logTail() const
{
    QString tail;
    for (const QString& log : m_logs) {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly)) {
            const qint64 size = file.size();
            file.seek(std::max<qint64>(0, size - 2000));
            tail += QString::fromLocal8Bit(file.readAll());
        }
    }
    return tail;
}
