#include "watch/WatchState.h"

#include "platform/core/SettingsStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const QString WatchState::kKey = QStringLiteral("iTarnvale_watchState");

namespace {

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
    bound(state.recent, kMaxRecent);
    bound(state.sent, kMaxSent);
    for (QStringList& links : state.known)
        bound(links, kMaxKnownPerFilter);
    return state;
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
}

void WatchState::bound(QStringList& list, int bound)
{
    if (list.size() > bound)
        list.resize(bound);
}
