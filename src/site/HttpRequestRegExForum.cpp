#include "site/HttpRequestRegExForum.h"

HttpRequestRegExForum::HttpRequestRegExForum(const QUrl& url)
    : HttpRequest(url)
{
    setOverwriteUserAgent(false);
}
