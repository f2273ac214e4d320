#include "TransmissionDaemon.h"

#include "LoopbackDaemon.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <httplib.h>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

TransmissionDaemon::TransmissionDaemon(const QString& username, const QString& password)
    : m_username(username), m_password(password)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // Should this process die without stopping the daemon (a crash, a lost display), the
    // kernel ends the daemon too, so no private daemon outlives the app or a test. (The signal
    // follows the starting thread: start() is called from the main thread.)
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

TransmissionDaemon::~TransmissionDaemon()
{
    stop();
}

QString TransmissionDaemon::program()
{
    return LoopbackDaemon::findProgram(QStringLiteral("transmission-daemon"));
}

int TransmissionDaemon::freePort()
{
    return LoopbackDaemon::freePort();
}

QString TransmissionDaemon::downloadDirectory() const
{
    return m_folder ? m_folder->filePath(QStringLiteral("downloads")) : QString();
}

bool TransmissionDaemon::writeSettings(int rpcPort)
{
    QDir folder(m_folder->path());
    folder.mkpath(QStringLiteral("config"));
    folder.mkpath(QStringLiteral("downloads"));
    folder.mkpath(QStringLiteral("incomplete"));
    m_rpcPort = rpcPort > 0 ? rpcPort : freePort();
    int peerPort = freePort();
    while (peerPort == m_rpcPort)
        peerPort = freePort();
    if (m_rpcPort == 0 || peerPort == 0) {
        m_error = QStringLiteral("no free port");
        return false;
    }
    QJsonObject settings{
        {QStringLiteral("rpc-enabled"), true},
        {QStringLiteral("rpc-bind-address"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("rpc-port"), m_rpcPort},
        {QStringLiteral("rpc-authentication-required"), true},
        {QStringLiteral("rpc-username"), m_username},
        {QStringLiteral("rpc-password"), m_password},
        {QStringLiteral("rpc-whitelist"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("rpc-whitelist-enabled"), true},
        {QStringLiteral("rpc-host-whitelist-enabled"), false},
        {QStringLiteral("dht-enabled"), false},
        {QStringLiteral("lpd-enabled"), false},
        {QStringLiteral("pex-enabled"), false},
        {QStringLiteral("utp-enabled"), false},
        {QStringLiteral("port-forwarding-enabled"), false},
        {QStringLiteral("blocklist-enabled"), false},
        {QStringLiteral("watch-dir-enabled"), false},
        {QStringLiteral("start-added-torrents"), true},
        {QStringLiteral("download-dir"), folder.filePath(QStringLiteral("downloads"))},
        {QStringLiteral("incomplete-dir"), folder.filePath(QStringLiteral("incomplete"))},
        {QStringLiteral("incomplete-dir-enabled"), true},
        {QStringLiteral("peer-port"), peerPort},
        {QStringLiteral("peer-port-random-on-start"), false},
        {QStringLiteral("bind-address-ipv4"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("bind-address-ipv6"), QStringLiteral("::1")},
        {QStringLiteral("message-level"), 1},
    };
    QFile file(folder.filePath(QStringLiteral("config/settings.json")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write ") + file.fileName();
        return false;
    }
    file.write(QJsonDocument(settings).toJson());
    return true;
}

bool TransmissionDaemon::start(int timeoutMs)
{
    if (isRunning())
        return true;
    const QString daemon = program();
    if (daemon.isEmpty()) {
        m_error = QStringLiteral("transmission-daemon is not installed");
        return false;
    }
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    int rpcPort = m_preferredRpcPort;
    for (int attempt = 1;; ++attempt) {
        const Launch launched = launch(rpcPort, deadline);
        if (launched == Launch::Up)
            return true;
        stop();
        if (launched == Launch::Failed || attempt == kLaunchAttempts || deadline.hasExpired())
            return false;
        rpcPort = 0; // another free one
    }
}

TransmissionDaemon::Launch TransmissionDaemon::launch(int rpcPort, const QDeadlineTimer& deadline)
{
    if (!writeSettings(rpcPort))
        return Launch::Failed;
    m_sessionId.clear();
    m_process.start(program(), {QStringLiteral("-f"), QStringLiteral("-g"), m_folder->filePath(QStringLiteral("config"))});
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("transmission-daemon did not start: ") + m_process.errorString();
        return Launch::Failed;
    }
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running) {
            // Perhaps for the port: another one is worth a try.
            m_error = QStringLiteral("transmission-daemon ended: ") + QString::fromLocal8Bit(m_process.readAll());
            return Launch::TryAnotherPort;
        }
        switch (probe()) {
        case Answer::OwnRpc:
            return Launch::Up;
        case Answer::SomethingElse:
            // The daemon keeps trying to bind a taken RPC port for minutes: move on at once.
            m_error = QStringLiteral("port %1 is held by another server").arg(m_rpcPort);
            return Launch::TryAnotherPort;
        case Answer::Nothing:
            break;
        }
        QThread::msleep(50);
    }
    m_error = QStringLiteral("transmission-daemon's RPC did not answer: ") + QString::fromLocal8Bit(m_process.readAll());
    return Launch::Failed;
}

TransmissionDaemon::Answer TransmissionDaemon::probe()
{
    QJsonObject reply;
    const int status = exchange(QStringLiteral("session-get"), {}, &reply);
    if (status == 0)
        return Answer::Nothing;
    // Another daemon on the same port may even take the same credentials: only its folders
    // tell it apart.
    const QString downloads = reply.value(QStringLiteral("arguments")).toObject()
                                  .value(QStringLiteral("download-dir")).toString();
    if (status == 200 && !downloads.isEmpty() && QDir::cleanPath(downloads) == QDir::cleanPath(downloadDirectory()))
        return Answer::OwnRpc;
    return Answer::SomethingElse;
}

void TransmissionDaemon::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void TransmissionDaemon::terminate()
{
    if (m_process.state() != QProcess::NotRunning)
        m_process.terminate();
}

bool TransmissionDaemon::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

QJsonObject TransmissionDaemon::rpc(const QString& method, const QJsonObject& arguments)
{
    QJsonObject reply;
    return exchange(method, arguments, &reply) == 200 ? reply : QJsonObject();
}

int TransmissionDaemon::exchange(const QString& method, const QJsonObject& arguments, QJsonObject* reply)
{
    if (m_rpcPort == 0)
        return 0;
    httplib::Client client("127.0.0.1", m_rpcPort);
    client.set_connection_timeout(2);
    client.set_read_timeout(10);
    client.set_basic_auth(m_username.toStdString(), m_password.toStdString());
    QJsonObject call{{QStringLiteral("method"), method}};
    if (!arguments.isEmpty())
        call.insert(QStringLiteral("arguments"), arguments);
    const std::string body = QJsonDocument(call).toJson(QJsonDocument::Compact).toStdString();
    // The first call of a session learns the session id from the 409 answer.
    for (int attempt = 0;; ++attempt) {
        httplib::Headers headers{{"X-Transmission-Session-Id", m_sessionId.toStdString()}};
        auto answer = client.Post("/transmission/rpc", headers, body, "application/json");
        if (!answer) {
            const httplib::Error error = answer.error();
            return error == httplib::Error::Connection || error == httplib::Error::ConnectionTimeout ? 0 : -1;
        }
        if (answer->status == 409 && attempt == 0) {
            m_sessionId = QByteArray::fromStdString(answer->get_header_value("X-Transmission-Session-Id"));
            continue;
        }
        if (answer->status == 200)
            *reply = QJsonDocument::fromJson(QByteArray::fromStdString(answer->body)).object();
        return answer->status;
    }
}

QStringList TransmissionDaemon::torrentNames()
{
    const QJsonObject reply = rpc(QStringLiteral("torrent-get"),
                                  {{QStringLiteral("fields"), QJsonArray{QStringLiteral("id"), QStringLiteral("name")}}});
    if (reply.value(QStringLiteral("result")).toString() != QLatin1String("success"))
        return QStringList();
    QStringList names;
    for (const QJsonValue& torrent : reply.value(QStringLiteral("arguments")).toObject().value(QStringLiteral("torrents")).toArray())
        names.append(torrent.toObject().value(QStringLiteral("name")).toString());
    return names;
}
