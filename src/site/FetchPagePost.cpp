#include "site/FetchPagePost.h"

#include "site/HttpRequest.h"

FetchPagePost::FetchPagePost(const QUrl& url, const QString& post, Callback<bool> callback)
    : FetchPageOf(url, std::move(callback))
    , m_post(post)
{
}

void FetchPagePost::main()
{
    HttpRequest request(url());
    request.setType(QStringLiteral("POST"));
    request.setPostData(m_post);
    request.request();
    setReturnObject(true);
    FetchPageOf::main();
}
