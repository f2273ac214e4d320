#include "QbittorrentDaemon.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRandomGenerator>

#include <httplib.h>
#include <openssl/evp.h>

QbittorrentDaemon::QbittorrentDaemon(const QString& username, const QString& password)
    : LoopbackDaemon(username, password)
{
}

QString QbittorrentDaemon::program()
{
    return findProgram(QStringLiteral("qbittorrent-nox"));
}

bool QbittorrentDaemon::findPrograms()
{
    if (!program().isEmpty())
        return true;
    setError(QStringLiteral("qbittorrent-nox is not installed"));
    return false;
}

QByteArray QbittorrentDaemon::passwordLine() const
{
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    QByteArray key(64, '\0');
    const QByteArray secret = password().toUtf8();
    PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()), reinterpret_cast<const unsigned char*>(salt.constData()),
                      int(salt.size()), 100000, EVP_sha512(), int(key.size()), reinterpret_cast<unsigned char*>(key.data()));
    return "WebUI\\Password_PBKDF2=\"@ByteArray(" + salt.toBase64() + ':' + key.toBase64() + ")\"\n";
}

bool QbittorrentDaemon::writeConfiguration(int webPort, int peerPort)
{
    const QString profile = folderPath(QStringLiteral("profile"));
    QDir().mkpath(profile + QStringLiteral("/qBittorrent/config"));
    QFile file(profile + QStringLiteral("/qBittorrent/config/qBittorrent.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(QStringLiteral("cannot write ") + file.fileName());
        return false;
    }
    const QByteArray downloads = downloadDirectory().toUtf8();
    QByteArray conf = "[LegalNotice]\nAccepted=true\n\n"
                      "[BitTorrent]\n"
                      "Session\\DHTEnabled=false\nSession\\PeXEnabled=false\nSession\\LSDEnabled=false\n"
                      "Session\\InterfaceAddress=127.0.0.1\nSession\\Port="
        + QByteArray::number(peerPort) + "\nSession\\UseRandomPort=false\nSession\\DefaultSavePath=" + downloads
        + "\nSession\\AddTorrentPaused=false\n\n"
          "[Network]\nPortForwardingEnabled=false\n\n"
          "[Preferences]\n"
          "Connection\\ResolvePeerCountries=false\nConnection\\UPnP=false\nGeneral\\Locale=en\n"
          "WebUI\\Enabled=true\nWebUI\\Address=127.0.0.1\nWebUI\\Port="
        + QByteArray::number(webPort) + "\nWebUI\\UseUPnP=false\nWebUI\\LocalHostAuth=true\n"
        // Tests try wrong passwords on purpose: no ban for them.
        + "WebUI\\MaxAuthenticationFailCount=1000\nWebUI\\Username=" + username().toUtf8() + '\n' + passwordLine();
    return file.write(conf) == conf.size();
}

bool QbittorrentDaemon::launch()
{
    const QList<int> ports = portsForLaunch(2);
    if (ports.isEmpty()) {
        setError(QStringLiteral("no free port"));
        return false;
    }
    setPort(ports.at(0));
    m_cookie.clear();
    if (!writeConfiguration(ports.at(0), ports.at(1)))
        return false;
    return startProcess(program(), {QStringLiteral("--profile=") + folderPath(QStringLiteral("profile"))},
                        QStringLiteral("qbittorrent"));
}

bool QbittorrentDaemon::signIn()
{
    if (!m_cookie.isEmpty())
        return true;
    httplib::Client client(address().toStdString(), port());
    client.set_connection_timeout(2);
    client.set_read_timeout(10);
    const httplib::Params form{{"username", username().toStdString()}, {"password", password().toStdString()}};
    const auto answer = client.Post("/api/v2/auth/login", form);
    if (!answer || answer->status != 200 || answer->body != "Ok.")
        return false;
    // "SID=...; HttpOnly; path=/"
    const QByteArray setCookie = QByteArray::fromStdString(answer->get_header_value("Set-Cookie"));
    m_cookie = setCookie.left(setCookie.indexOf(';'));
    return !m_cookie.isEmpty();
}

QJsonDocument QbittorrentDaemon::api(const QString& path)
{
    if (!signIn())
        return QJsonDocument();
    httplib::Client client(address().toStdString(), port());
    client.set_connection_timeout(2);
    client.set_read_timeout(10);
    const auto answer = client.Get(path.toStdString(), {{"Cookie", m_cookie.toStdString()}});
    if (!answer || answer->status != 200)
        return QJsonDocument();
    return QJsonDocument::fromJson(QByteArray::fromStdString(answer->body));
}

QbittorrentDaemon::Answer QbittorrentDaemon::probe()
{
    const Answer held = listener(port());
    if (held != Answer::Own)
        return held;
    // Listening is not answering yet: ready once its own settings come back.
    const QString savePath =
        api(QStringLiteral("/api/v2/app/preferences")).object().value(QStringLiteral("save_path")).toString();
    if (savePath.isEmpty())
        return Answer::Nothing;
    return QDir::cleanPath(savePath) == QDir::cleanPath(downloadDirectory()) ? Answer::Own : Answer::SomethingElse;
}

std::optional<QMap<QString, QString>> QbittorrentDaemon::torrents()
{
    const QJsonDocument list = api(QStringLiteral("/api/v2/torrents/info"));
    if (!list.isArray())
        return std::nullopt;
    QMap<QString, QString> torrents;
    for (const QJsonValue& torrent : list.array())
        torrents.insert(torrent[QStringLiteral("hash")].toString(), torrent[QStringLiteral("name")].toString());
    return torrents;
}
