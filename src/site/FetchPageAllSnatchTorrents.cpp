#include "site/FetchPageAllSnatchTorrents.h"

#include "site/HttpRequestRegExSnatchTorrent.h"

FetchPageAllSnatchTorrents::FetchPageAllSnatchTorrents(const QUrl& url, const QString& post,
                                                       Callback<Result> callback)
    : FetchPageOf(url, std::move(callback))
    , m_post(post)
{
}

void FetchPageAllSnatchTorrents::main()
{
    HttpRequestRegExSnatchTorrent request(url());
    request.setType(QStringLiteral("POST"));
    request.setPostData(m_post);
    request.request();
    recordOutcome(request.failure());
    setReturnObject(request.torrents());
    FetchPageOf::main();
}
