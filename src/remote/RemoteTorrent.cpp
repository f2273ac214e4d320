#include "remote/RemoteTorrent.h"

#include <algorithm>

QString RemoteTorrent::stateName(State state)
{
    switch (state) {
    case State::Downloading:
        return QStringLiteral("downloading");
    case State::Seeding:
        return QStringLiteral("seeding");
    case State::Paused:
        return QStringLiteral("paused");
    case State::Checking:
        return QStringLiteral("checking");
    case State::Queued:
        return QStringLiteral("queued");
    case State::Stalled:
        return QStringLiteral("stalled");
    case State::Error:
        return QStringLiteral("error");
    }
    return QStringLiteral("error");
}

std::optional<QString> RemoteTorrent::normalHash(const QString& text)
{
    if (text.size() != 40)
        return std::nullopt;
    for (const QChar c : text) {
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex)
            return std::nullopt;
    }
    return text.toLower();
}

void RemoteTorrent::sortByAdded(QList<RemoteTorrent>& torrents)
{
    std::stable_sort(torrents.begin(), torrents.end(), [](const RemoteTorrent& a, const RemoteTorrent& b) {
        if (a.added != b.added)
            return a.added > b.added;
        return a.name < b.name;
    });
}
