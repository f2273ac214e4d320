#include "watch/WatchState.h"

#include "platform/core/SettingsStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <utility>

const QString WatchState::kKey = QStringLiteral("iTarnvale_watchState");

namespace {

QJsonObject pendingToJson(const WatchState::Pending& pending)
{
    const Torrent& torrent = pending.match.torrent;
    return {{QStringLiteral("name"), torrent.name()},
            {QStringLiteral("details"), torrent.detailsUrl()},
            {QStringLiteral("download"), torrent.downloadUrl()},
            {QStringLiteral("filter"), pending.match.filter},
            {QStringLiteral("since"), pending.since.toString(Qt::ISODate)}};
}

// Nothing for an entry without a name, an address to fetch or a day.
std::optional<WatchState::Pending> pendingFromJson(const QJsonValue& value)
{
    const QJsonObject object = value.toObject();
    WatchState::Pending pending;
    pending.match.torrent.setName(object.value(QStringLiteral("name")).toString());
    pending.match.torrent.setDetailsUrl(object.value(QStringLiteral("details")).toString());
    pending.match.torrent.setDownloadUrl(object.value(QStringLiteral("download")).toString());
    pending.match.filter = object.value(QStringLiteral("filter")).toString();
    pending.since = QDate::fromString(object.value(QStringLiteral("since")).toString(), Qt::ISODate);
    if (pending.match.torrent.name().isEmpty() || pending.match.torrent.downloadUrl().isEmpty() || !pending.since.isValid())
        return std::nullopt;
    return pending;
}

QStringList texts(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& item : value.toArray()) {
        if (item.isString())
            list.append(item.toString());
    }
    return list;
}

} // namespace

WatchState WatchState::load()
{
    const QString text = SettingsStore::standard().stringForKey(kKey);
    return text.isEmpty() ? WatchState() : fromJson(text.toUtf8());
}

SaveResult WatchState::save() const
{
    SettingsStore& store = SettingsStore::standard();
    store.setString(kKey, QString::fromUtf8(toJson()));
    return SaveResult::fromStore(store.save());
}

QByteArray WatchState::toJson() const
{
    QJsonObject filters;
    for (auto it = known.cbegin(); it != known.cend(); ++it)
        filters.insert(it.key(), QJsonArray::fromStringList(it.value()));
    QJsonObject root{
        {QStringLiteral("recent"), QJsonArray::fromStringList(recent)},
        {QStringLiteral("filters"), filters},
        {QStringLiteral("sent"), QJsonArray::fromStringList(sent)},
        {QStringLiteral("sentDay"), sentDay.isValid() ? sentDay.toString(Qt::ISODate) : QString()},
        {QStringLiteral("sentOnDay"), sentOnDay},
    };
    if (!pending.isEmpty()) {
        QJsonArray waiting;
        for (const Pending& entry : pending)
            waiting.append(pendingToJson(entry));
        root.insert(QStringLiteral("pending"), waiting);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

WatchState WatchState::fromJson(const QByteArray& json)
{
    WatchState state;
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    state.recent = texts(root.value(QStringLiteral("recent")));
    const QJsonObject filters = root.value(QStringLiteral("filters")).toObject();
    for (auto it = filters.constBegin(); it != filters.constEnd(); ++it)
        state.known.insert(it.key(), texts(it.value()));
    state.sent = texts(root.value(QStringLiteral("sent")));
    state.sentDay = QDate::fromString(root.value(QStringLiteral("sentDay")).toString(), Qt::ISODate);
    state.sentOnDay = std::max(0, root.value(QStringLiteral("sentOnDay")).toInt());
    for (const QJsonValue& item : root.value(QStringLiteral("pending")).toArray()) {
        if (const std::optional<Pending> entry = pendingFromJson(item))
            state.pending.append(*entry);
    }
    while (state.pending.size() > kMaxPending)
        state.pending.removeFirst();
    bound(state.recent, kMaxRecent);
    bound(state.sent, kMaxSent);
    for (QStringList& links : state.known)
        bound(links, kMaxKnownPerFilter);
    return state;
}

void WatchState::recordFailed(const WatchMatch& match, const QDate& today)
{
    const QString link = WatchMatch::key(match.torrent);
    for (const Pending& entry : std::as_const(pending)) {
        if (WatchMatch::key(entry.match.torrent) == link)
            return; // waiting already, since its first day
    }
    WatchMatch kept = match;
    kept.sent = false;
    pending.append({kept, today});
    while (pending.size() > kMaxPending)
        pending.removeFirst();
}

void WatchState::forgetPending(const QString& link)
{
    pending.removeIf([&link](const Pending& entry) { return WatchMatch::key(entry.match.torrent) == link; });
}

void WatchState::expirePending(const QDate& today)
{
    pending.removeIf([&today](const Pending& entry) { return entry.since.daysTo(today) > kPendingDays; });
}

void WatchState::recordSent(const QString& link, const QDate& today)
{
    if (sentDay != today) {
        sentDay = today;
        sentOnDay = 0;
    }
    ++sentOnDay;
    sent.prepend(link);
    bound(sent, kMaxSent);
    forgetPending(link);
}

void WatchState::bound(QStringList& list, int bound)
{
    if (list.size() > bound)
        list.resize(bound);
}
