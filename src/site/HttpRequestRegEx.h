#pragma once

#include "site/HttpRequest.h"

#include <QStringList>

#include <optional>

// A request for a page that holds one wanted piece: after the exchange, the first match of
// the pattern gives the result (group 1) and its captures (elements).
class HttpRequestRegEx : public HttpRequest
{
public:
    // The pattern must have at least one group.
    HttpRequestRegEx(const QUrl& url, const QString& regex);

    QString regex() const { return m_regex; }
    void setRegex(const QString& regex) { m_regex = regex; }

    // Without a match the result stays the page and elements stay absent.
    void request() override;

    // The captures of the first match (index 0 the whole match); absent without a match.
    const std::optional<QStringList>& elements() const { return m_elements; }

private:
    QString m_regex;
    std::optional<QStringList> m_elements;
};
