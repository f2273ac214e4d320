// Reads a saved site page the way the application does and prints what it finds, one JSON
// object per record, in page order.
//
//   itarnvale-parse listing FILE [--history FILE] [--repeat N]
//   itarnvale-parse snatch|friends FILE [--repeat N]        one JSON object per record
//   itarnvale-parse details|profile|pm FILE [--repeat N]    {"html": cleaned page[, "imdb": link]}
//   itarnvale-parse userinfo FILE                           {"username": name from the header}
// Host options (--web-host, --film-host, ...) set what the app's would: the avatar prefix of
// friends, the film database host of details pages.
//
// Exit status: 0 when the page was read, 2 on bad arguments or a file that cannot be read or
// decoded, 3 when a listing took longer to read than the app allows: the rows found before
// that point are printed, and standard error says the page was not read to its end.

#include "site/HttpRequest.h"
#include "site/HttpRequestRegExDetails.h"
#include "site/HttpRequestRegExFriends.h"
#include "site/HttpRequestRegExPm.h"
#include "site/HttpRequestRegExProfileDetails.h"
#include "site/HttpRequestRegExSnatchTorrent.h"
#include "site/HttpRequestRegExTorrent.h"
#include "site/HttpRequestRegExUserInfo.h"
#include "site/SiteHosts.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>

namespace {

constexpr int kBadInput = 2;
constexpr int kIncomplete = 3;

struct Options
{
    QString kind;
    QString file;
    QString historyFile;
    int repeat = 1;
};

void fail(const QString& message)
{
    std::fprintf(stderr, "itarnvale-parse: %s\n", qPrintable(message));
}

void usage()
{
    std::fprintf(stderr,
                 "usage: itarnvale-parse listing FILE [--history FILE] [--repeat N]\n"
                 "       itarnvale-parse snatch|friends|details|profile|pm|userinfo FILE [--repeat N]\n"
                 "       [--web-host HOST] [--film-host HOST]\n");
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<QString> readPage(const QString& path)
{
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    // As the site's answers are decoded.
    const QString page = HttpRequest::decodeBody(*bytes);
    if (page.isNull()) {
        fail(QStringLiteral("%1 is neither UTF-8 nor ASCII text").arg(path));
        return std::nullopt;
    }
    return page;
}

QJsonValue text(const QString& value)
{
    return value.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(value);
}

void print(const QJsonObject& object)
{
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
}

QJsonObject torrentObject(const Torrent& torrent)
{
    return QJsonObject{{"name", text(torrent.name())},
                       {"detailsUrl", text(torrent.detailsUrl())},
                       {"downloadUrl", text(torrent.downloadUrl())},
                       {"type", text(torrent.type())},
                       {"subType", text(torrent.subType())},
                       {"size", text(torrent.size())},
                       {"up", text(torrent.up())},
                       {"down", text(torrent.down())},
                       {"ratio", text(torrent.ratio())},
                       {"active", text(torrent.active())},
                       {"wait", text(torrent.wait())},
                       {"date", text(torrent.date())},
                       {"isNew", torrent.isNew()},
                       {"isDownloaded", torrent.isDownloaded()}};
}

int parseListing(const Options& options)
{
    const auto page = readPage(options.file);
    if (!page)
        return kBadInput;
    QStringList history;
    if (!options.historyFile.isEmpty()) {
        const auto bytes = readFile(options.historyFile);
        if (!bytes)
            return kBadInput;
        // One torrent name per line.
        history = QString::fromUtf8(*bytes).split(u'\n', Qt::SkipEmptyParts);
        for (QString& name : history) {
            if (name.endsWith(u'\r'))
                name.chop(1);
        }
    }
    QList<Torrent> torrents;
    bool timedOut = false;
    for (int i = 0; i < options.repeat; ++i)
        torrents = HttpRequestRegExTorrent::parseTorrents(*page, history, &timedOut);
    for (const Torrent& torrent : torrents)
        print(torrentObject(torrent));
    if (timedOut) {
        std::fflush(stdout);
        fail(QStringLiteral("%1: reading the page ran out of time after %2 rows; the rest of the page was not read")
                 .arg(options.file, QString::number(torrents.size())));
        return kIncomplete;
    }
    return 0;
}

// Runs parse options.repeat times on the page and prints what the last run gave.
template <typename Parse>
int withPage(const Options& options, Parse parse)
{
    const auto page = readPage(options.file);
    if (!page)
        return kBadInput;
    for (int i = 1; i < options.repeat; ++i)
        parse(*page);
    for (const QJsonObject& object : parse(*page))
        print(object);
    return 0;
}

int parseSnatch(const Options& options)
{
    return withPage(options, [](const QString& page) {
        QList<QJsonObject> objects;
        for (const Torrent& torrent : HttpRequestRegExSnatchTorrent::parseTorrents(page))
            objects.append(torrentObject(torrent));
        return objects;
    });
}

int parseFriends(const Options& options)
{
    const QString webRoot = SiteHosts::webUrl(QStringLiteral("/")).toString();
    return withPage(options, [&webRoot](const QString& page) {
        QList<QJsonObject> objects;
        for (const Friend& person : HttpRequestRegExFriends::parseFriends(page, webRoot)) {
            objects.append(QJsonObject{{"name", text(person.name())},
                                       {"ids", text(person.ids())},
                                       {"avatarUrl", text(person.avatarUrl())},
                                       {"type", text(person.type())},
                                       {"date", text(person.date())}});
        }
        return objects;
    });
}

int parseDetails(const Options& options)
{
    const QString filmHost = SiteHosts::filmDatabaseHost();
    return withPage(options, [&filmHost](const QString& page) {
        QString imdb;
        const QString html = HttpRequestRegExDetails::cleanPage(page, filmHost, &imdb);
        return QList<QJsonObject>{QJsonObject{{"html", html}, {"imdb", text(imdb)}}};
    });
}

int parseProfile(const Options& options)
{
    return withPage(options, [](const QString& page) {
        return QList<QJsonObject>{QJsonObject{{"html", HttpRequestRegExProfileDetails::cleanPage(page)}}};
    });
}

int parsePm(const Options& options)
{
    return withPage(options, [](const QString& page) {
        return QList<QJsonObject>{QJsonObject{{"html", HttpRequestRegExPm::cleanPage(page)}}};
    });
}

// The user's id comes from the "uid" cookie, which a saved page does not carry.
int parseUserInfo(const Options& options)
{
    const auto bytes = readFile(options.file);
    if (!bytes)
        return kBadInput;
    const QString page = HttpRequestRegExUserInfo::decodePage(*bytes);
    if (page.isNull()) {
        fail(QStringLiteral("%1 is neither ASCII nor UTF-8 text").arg(options.file));
        return kBadInput;
    }
    print(QJsonObject{{"username", text(HttpRequestRegExUserInfo::usernameFromPage(page))}});
    return 0;
}

// Page kinds by name; each reads options.file.
const std::map<QString, std::function<int(const Options&)>>& pageKinds()
{
    static const std::map<QString, std::function<int(const Options&)>> kinds{
        {QStringLiteral("listing"), parseListing},   {QStringLiteral("snatch"), parseSnatch},
        {QStringLiteral("friends"), parseFriends},   {QStringLiteral("details"), parseDetails},
        {QStringLiteral("profile"), parseProfile},   {QStringLiteral("pm"), parsePm},
        {QStringLiteral("userinfo"), parseUserInfo},
    };
    return kinds;
}

std::optional<Options> parseArguments(const QStringList& arguments)
{
    Options options;
    QStringList positional;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--history") || argument == QLatin1String("--repeat")) {
            if (i + 1 >= arguments.size()) {
                fail(QStringLiteral("%1 needs a value").arg(argument));
                return std::nullopt;
            }
            const QString value = arguments[++i];
            if (argument == QLatin1String("--history")) {
                options.historyFile = value;
            } else {
                bool ok = false;
                options.repeat = value.toInt(&ok);
                if (!ok || options.repeat < 1) {
                    fail(QStringLiteral("--repeat needs a positive number, not \"%1\"").arg(value));
                    return std::nullopt;
                }
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            fail(QStringLiteral("unknown option %1").arg(argument));
            return std::nullopt;
        } else {
            positional.append(argument);
        }
    }
    if (positional.size() != 2) {
        fail(QStringLiteral("expected a page kind and a file"));
        return std::nullopt;
    }
    options.kind = positional[0];
    options.file = positional[1];
    if (pageKinds().count(options.kind) == 0) {
        fail(QStringLiteral("unknown page kind \"%1\"").arg(options.kind));
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (const QString error = SiteHosts::applyArguments(arguments); !error.isEmpty()) {
        fail(error);
        usage();
        return kBadInput;
    }
    const auto options = parseArguments(arguments);
    if (!options) {
        usage();
        return kBadInput;
    }
    return pageKinds().at(options->kind)(*options);
}
