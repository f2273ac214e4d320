#include "remote/FetchRemoteTorrents.h"

#include "remote/BitClient.h"
#include "remote/FetchPageRemoteUI.h"

const QString FetchRemoteTorrents::kNoClientText =
    QStringLiteral("No remote client is set. Choose one in Remote Settings.");

FetchRemoteTorrents::FetchRemoteTorrents(Callback<RemoteTorrentsReply> callback, Action action, const QString& hash)
    : FetchPageOf<RemoteTorrentsReply>(FetchPageRemoteUI::storedWebUrl(), std::move(callback))
    , m_action(action)
    , m_hash(hash)
{
}

void FetchRemoteTorrents::main()
{
    RemoteTorrentsReply reply;
    if (const std::unique_ptr<BitClient> client = FetchPageRemoteUI::storedClient()) {
        client->setSessionId();
        bool done = true;
        switch (m_action) {
        case Action::None:
            break;
        case Action::Pause:
            done = client->pauseTorrent(m_hash);
            break;
        case Action::Resume:
            done = client->resumeTorrent(m_hash);
            break;
        case Action::Remove:
        case Action::RemoveWithData:
            done = client->removeTorrent(m_hash, m_action == Action::RemoveWithData);
            break;
        }
        if (!done)
            reply.actionFailureText = client->controlFailureText();
        reply.torrents = client->torrents();
        reply.failure = client->controlFailure();
        reply.failureText = client->controlFailureText();
    } else {
        reply.failure = RemoteControlFailure::NotOffered;
        reply.failureText = kNoClientText;
    }
    setReturnObject(std::move(reply));
    FetchPageOf<RemoteTorrentsReply>::main();
}
