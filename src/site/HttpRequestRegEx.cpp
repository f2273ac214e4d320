#include "site/HttpRequestRegEx.h"

#include "util/Regex.h"

HttpRequestRegEx::HttpRequestRegEx(const QUrl& url, const QString& regex)
    : HttpRequest(url)
    , m_regex(regex)
{
}

void HttpRequestRegEx::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    auto match = Regex::firstMatch(m_regex, result());
    if (!match || match->size() < 2)
        return;
    setResult(match->at(1));
    m_elements = std::move(match);
}
