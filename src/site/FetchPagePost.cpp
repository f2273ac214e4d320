#include "site/FetchPagePost.h"

#include "site/HttpRequest.h"
#include "site/SiteHosts.h"

FetchPagePost::FetchPagePost(const QUrl& url, const QString& post, Callback<bool> callback)
    : FetchPageOf(url, std::move(callback))
    , m_post(post)
{
}

bool FetchPagePost::tookPost(const HttpRequest& request)
{
    const int status = request.statusCode();
    const bool answered = request.responseData() && !request.responseData()->isEmpty();
    return status >= 200 && status <= 299 && answered && !SiteHosts::isLoginHeader(request.result());
}

void FetchPagePost::main()
{
    HttpRequest request(url());
    request.setType(QStringLiteral("POST"));
    request.setPostData(m_post);
    request.request();
    setReturnObject(tookPost(request));
    FetchPageOf::main();
}
