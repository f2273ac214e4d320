#include "DelugeDaemon.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <httplib.h>

namespace {

QString randomHex(int bytes)
{
    QByteArray random(bytes, '\0');
    QRandomGenerator::system()->generate(random.begin(), random.end());
    return QString::fromLatin1(random.toHex());
}

// Deluge's configuration files: a version header object followed by the settings object.
bool writeConfig(const QString& path, int version, const QJsonObject& settings)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray header = QJsonDocument(QJsonObject{{QStringLiteral("file"), version}, {QStringLiteral("format"), 1}})
                                  .toJson(QJsonDocument::Compact);
    return file.write(header + QJsonDocument(settings).toJson()) > 0;
}

} // namespace

DelugeDaemon::DelugeDaemon(const QString& password)
    : LoopbackDaemon(QString(QLatin1String("")), password)
{
}

QString DelugeDaemon::daemonProgram()
{
    return findProgram(QStringLiteral("deluged"));
}

QString DelugeDaemon::webProgram()
{
    return findProgram(QStringLiteral("deluge-web"));
}

bool DelugeDaemon::findPrograms()
{
    if (!daemonProgram().isEmpty() && !webProgram().isEmpty())
        return true;
    setError(QStringLiteral("deluged and deluge-web are not both installed"));
    return false;
}

bool DelugeDaemon::writeConfiguration(int webPort, int daemonPort, int peerPort)
{
    const QString config = folderPath(QStringLiteral("config"));
    QDir().mkpath(config);
    const QString downloads = downloadDirectory();
    const QJsonObject core{
        {QStringLiteral("daemon_port"), daemonPort},
        {QStringLiteral("allow_remote"), false},
        {QStringLiteral("listen_interface"), address()},
        {QStringLiteral("listen_ports"), QJsonArray{peerPort, peerPort}},
        {QStringLiteral("random_port"), false},
        {QStringLiteral("dht"), false},
        {QStringLiteral("upnp"), false},
        {QStringLiteral("natpmp"), false},
        {QStringLiteral("utpex"), false},
        {QStringLiteral("lsd"), false},
        {QStringLiteral("new_release_check"), false},
        {QStringLiteral("send_info"), false},
        {QStringLiteral("download_location"), downloads},
        {QStringLiteral("torrentfiles_location"), downloads},
        {QStringLiteral("move_completed_path"), downloads},
    };
    const QString salt = randomHex(20);
    const QJsonObject web{
        {QStringLiteral("pwd_salt"), salt},
        {QStringLiteral("pwd_sha1"),
         QString::fromLatin1(QCryptographicHash::hash((salt + password()).toUtf8(), QCryptographicHash::Sha1).toHex())},
        {QStringLiteral("first_login"), false},
        {QStringLiteral("default_daemon"), QString(QLatin1String(""))},
        {QStringLiteral("interface"), address()},
        {QStringLiteral("port"), webPort},
        {QStringLiteral("https"), false},
    };
    // The Web UI reaches the daemon as its local client, with the password in "auth".
    const QString localPassword = randomHex(20);
    m_hostId = randomHex(16);
    const QJsonObject hosts{
        {QStringLiteral("hosts"),
         QJsonArray{QJsonArray{m_hostId, address(), daemonPort, QStringLiteral("localclient"), localPassword}}}};
    QFile auth(config + QStringLiteral("/auth"));
    const bool written = auth.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && auth.write(QStringLiteral("localclient:%1:10\n").arg(localPassword).toUtf8()) > 0;
    auth.close();
    if (!written || !writeConfig(config + QStringLiteral("/core.conf"), 1, core)
        || !writeConfig(config + QStringLiteral("/web.conf"), 2, web)
        || !writeConfig(config + QStringLiteral("/hostlist.conf"), 3, hosts)) {
        setError(QStringLiteral("cannot write the configuration in ") + config);
        return false;
    }
    return true;
}

bool DelugeDaemon::launch()
{
    const QList<int> ports = portsForLaunch(3);
    if (ports.isEmpty()) {
        setError(QStringLiteral("no free port"));
        return false;
    }
    setPort(ports.at(0));
    m_daemonPort = ports.at(1);
    m_cookie.clear();
    if (!writeConfiguration(ports.at(0), ports.at(1), ports.at(2)))
        return false;
    const QString config = folderPath(QStringLiteral("config"));
    const QString port = QString::number(m_daemonPort);
    return startProcess(daemonProgram(),
                        {QStringLiteral("-c"), config, QStringLiteral("-d"), QStringLiteral("-u"), address(),
                         QStringLiteral("-p"), port, QStringLiteral("-i"), address(), QStringLiteral("-L"),
                         QStringLiteral("error")},
                        QStringLiteral("deluged"))
        && startProcess(webProgram(),
                        {QStringLiteral("-c"), config, QStringLiteral("-d"), QStringLiteral("-i"), address(),
                         QStringLiteral("-p"), QString::number(this->port()), QStringLiteral("-L"),
                         QStringLiteral("error")},
                        QStringLiteral("deluge-web"));
}

bool DelugeDaemon::signIn()
{
    if (!m_cookie.isEmpty())
        return true;
    httplib::Client client(address().toStdString(), port());
    client.set_connection_timeout(2);
    client.set_read_timeout(10);
    const QJsonObject login{{QStringLiteral("method"), QStringLiteral("auth.login")},
                            {QStringLiteral("params"), QJsonArray{password()}},
                            {QStringLiteral("id"), 1}};
    const auto answer = client.Post("/json", QJsonDocument(login).toJson(QJsonDocument::Compact).toStdString(),
                                    "application/json");
    if (!answer || answer->status != 200)
        return false;
    if (!QJsonDocument::fromJson(QByteArray::fromStdString(answer->body))[QStringLiteral("result")].toBool())
        return false;
    // "_session_id=...; Expires=...; Path=/json"
    const QByteArray setCookie = QByteArray::fromStdString(answer->get_header_value("Set-Cookie"));
    m_cookie = setCookie.left(setCookie.indexOf(';'));
    return !m_cookie.isEmpty();
}

QJsonValue DelugeDaemon::call(const QString& method, const QJsonArray& params)
{
    if (!signIn())
        return QJsonValue(QJsonValue::Undefined);
    httplib::Client client(address().toStdString(), port());
    client.set_connection_timeout(2);
    client.set_read_timeout(20);
    const QJsonObject request{{QStringLiteral("method"), method}, {QStringLiteral("params"), params},
                              {QStringLiteral("id"), 1}};
    const auto answer = client.Post("/json", {{"Cookie", m_cookie.toStdString()}},
                                    QJsonDocument(request).toJson(QJsonDocument::Compact).toStdString(),
                                    "application/json");
    if (!answer || answer->status != 200)
        return QJsonValue(QJsonValue::Undefined);
    const QJsonObject reply = QJsonDocument::fromJson(QByteArray::fromStdString(answer->body)).object();
    if (!reply.value(QStringLiteral("error")).isNull() || !reply.contains(QStringLiteral("result")))
        return QJsonValue(QJsonValue::Undefined);
    return reply.value(QStringLiteral("result"));
}

bool DelugeDaemon::disconnectWeb()
{
    if (!call(QStringLiteral("web.connected")).toBool())
        return true;
    call(QStringLiteral("web.disconnect"));
    return !call(QStringLiteral("web.connected")).toBool();
}

QJsonValue DelugeDaemon::withDaemon(const std::function<QJsonValue()>& what)
{
    const bool wasConnected = call(QStringLiteral("web.connected")).toBool();
    if (!wasConnected && !call(QStringLiteral("web.connect"), QJsonArray{m_hostId}).isArray())
        return QJsonValue(QJsonValue::Undefined);
    const QJsonValue result = what();
    if (!wasConnected)
        disconnectWeb();
    return result;
}

DelugeDaemon::Answer DelugeDaemon::probe()
{
    const Answer web = listener(port());
    const Answer daemon = listener(m_daemonPort);
    if (web == Answer::SomethingElse || daemon == Answer::SomethingElse)
        return Answer::SomethingElse;
    if (web == Answer::Nothing || daemon == Answer::Nothing)
        return Answer::Nothing;
    // Both listen: ready once the Web UI reaches the daemon and finds its download folder.
    const QJsonValue folder = withDaemon([this] {
        return call(QStringLiteral("core.get_config_value"), QJsonArray{QStringLiteral("download_location")});
    });
    if (!folder.isString())
        return Answer::Nothing;
    return QDir::cleanPath(folder.toString()) == QDir::cleanPath(downloadDirectory()) ? Answer::Own
                                                                                       : Answer::SomethingElse;
}

std::optional<QMap<QString, QString>> DelugeDaemon::torrents()
{
    const QJsonValue status = withDaemon([this] {
        return call(QStringLiteral("core.get_torrents_status"), QJsonArray{QJsonObject(), QJsonArray{QStringLiteral("name")}});
    });
    if (!status.isObject())
        return std::nullopt;
    QMap<QString, QString> torrents;
    const QJsonObject all = status.toObject();
    for (auto it = all.begin(); it != all.end(); ++it)
        torrents.insert(it.key(), it.value()[QStringLiteral("name")].toString());
    return torrents;
}
