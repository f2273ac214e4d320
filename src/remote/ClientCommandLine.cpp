#include "remote/ClientCommandLine.h"

#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "remote/BitClient.h"

namespace {
const QStringList kClientOptions{QStringLiteral("--client"), QStringLiteral("--address"), QStringLiteral("--port"),
                                 QStringLiteral("--user"),   QStringLiteral("--password"), QStringLiteral("--settings"),
                                 QStringLiteral("--cookies")};
} // namespace

ClientCommandLine::ClientCommandLine(const QStringList& arguments, const QStringList& toolOptions,
                                     const QStringList& toolFlags)
{
    const QStringList valued = kClientOptions + toolOptions;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            m_positional.append(argument);
            continue;
        }
        if (toolFlags.contains(argument)) {
            m_flags.append(argument);
            continue;
        }
        QString name = argument;
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            m_error = QStringLiteral("%1 needs a value").arg(argument);
            return;
        }
        if (!valued.contains(name)) {
            m_error = QStringLiteral("unknown option %1").arg(name);
            return;
        }
        m_options[name] = value;
    }
    // The adapter's class name for the client named, whatever its case ("qBittorrent").
    const auto client = m_options.find(QStringLiteral("--client"));
    if (client != m_options.end()) {
        QString className;
        for (int index = 0; !(className = BitClient::getClientByIndex(index)).isEmpty(); ++index) {
            if (className.compare(client->second, Qt::CaseInsensitive) == 0)
                break;
        }
        if (className.isEmpty())
            m_error = QStringLiteral("unknown client %1 (Vuze, Transmission, Utorrent, Qbittorrent or Deluge)")
                          .arg(client->second);
        client->second = className;
    }
}

std::optional<QString> ClientCommandLine::option(const QString& name) const
{
    const auto found = m_options.find(name);
    return found == m_options.end() ? std::nullopt : std::optional<QString>(found->second);
}

void ClientCommandLine::useStores() const
{
    if (const std::optional<QString> settings = option(QStringLiteral("--settings")))
        SettingsStore::setStandardPath(*settings);
    // The folder of the application's settings also keeps its cookies.
    CookieStore::shared().setStoragePath(option(QStringLiteral("--cookies"))
                                             .value_or(SettingsStore::standardFolder() + QLatin1Char('/')
                                                       + QLatin1String(CookieStore::kDefaultFileName)));
}

ServerInfo::Settings ClientCommandLine::settingsOver(const ServerInfo::Settings& stored) const
{
    ServerInfo::Settings settings = stored;
    settings.client = option(QStringLiteral("--client")).value_or(settings.client);
    settings.address = option(QStringLiteral("--address")).value_or(settings.address);
    settings.port = option(QStringLiteral("--port")).value_or(settings.port);
    settings.username = option(QStringLiteral("--user")).value_or(settings.username);
    settings.password = option(QStringLiteral("--password")).value_or(settings.password);
    return settings;
}
