#pragma once

#include "remote/RemoteControlFailure.h"
#include "remote/RemoteTorrent.h"
#include "site/FetchPageOf.h"

#include <QList>
#include <QString>

#include <optional>

// What the Downloads screen gets back from one round with the client: the torrents (absent
// when the client did not list them, with the reason), and, when an action came first, why
// it failed.
struct RemoteTorrentsReply
{
    std::optional<QList<RemoteTorrent>> torrents;
    RemoteControlFailure failure = RemoteControlFailure::None;
    QString failureText;
    QString actionFailureText; // empty when no action was asked or it was carried out
};

// On a queue thread: takes the stored remote settings afresh, runs the client's handshake,
// carries out the action on one torrent when one is asked, then lists the client's torrents
// (newest first).
class FetchRemoteTorrents : public FetchPageOf<RemoteTorrentsReply>
{
public:
    enum class Action { None, Pause, Resume, Remove, RemoveWithData };

    FetchRemoteTorrents(Callback<RemoteTorrentsReply> callback, Action action = Action::None,
                        const QString& hash = QString());

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<RemoteTorrentsReply>, Target*, Member>
    FetchRemoteTorrents(Target* target, Member selector, Action action = Action::None, const QString& hash = QString())
        : FetchRemoteTorrents(Callback<RemoteTorrentsReply>(target, selector), action, hash)
    {
    }

    void main() override;

    // Said when no client is chosen in the remote settings.
    static const QString kNoClientText;

private:
    Action m_action;
    QString m_hash;
};
