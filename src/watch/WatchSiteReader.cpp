#include "watch/WatchSiteReader.h"

#include "site/FetchPageSignIn.h"
#include "site/HttpRequestRegExTorrent.h"
#include "site/ListingQuery.h"
#include "site/SiteHosts.h"

WatchSiteReader::WatchSiteReader(const QString& username, const QString& password)
    : m_username(username)
    , m_password(password)
{
}

WatchScan::Page WatchSiteReader::read(int page)
{
    for (;;) {
        HttpRequestRegExTorrent request(ListingQuery().url(page));
        request.request();
        WatchScan::Page answer;
        answer.failure = request.failure();
        if (answer.failure.isFailure())
            return answer;
        if (!SiteHosts::isLoginHeader(request.result())) {
            answer.torrents = request.torrents();
            return answer;
        }
        // The session is gone: one sign-in per scan, so a site that keeps refusing is not
        // asked again and again.
        if (m_signedIn || m_username.isEmpty()) {
            answer.failure.kind = FetchFailure::Kind::SignIn;
            answer.failure.host = SiteHosts::webHost();
            return answer;
        }
        if (!signIn(answer.failure))
            return answer;
    }
}

bool WatchSiteReader::signIn(FetchFailure& failure)
{
    m_signedIn = true;
    FetchPageSignIn post(SiteHosts::loginUrl(), m_username, m_password, QString(), QString(),
                         Callback<std::shared_ptr<HttpRequest>>());
    post.main();
    const std::shared_ptr<HttpRequest>& request = post.returnObject();
    if (!request) {
        failure.kind = FetchFailure::Kind::Other;
        return false;
    }
    failure = request->failure();
    if (failure.isFailure())
        return false;
    if (!request->isResponseValid() || SiteHosts::isLoginHeader(request->result())) {
        failure.kind = FetchFailure::Kind::SignIn;
        failure.host = SiteHosts::secureWebHost();
        return false;
    }
    return true;
}
