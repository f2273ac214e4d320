#pragma once

#include "site/Friend.h"
#include "site/HttpRequest.h"

#include <QList>

#include <optional>

// The site's friends page, read into Friend records.
class HttpRequestRegExFriends : public HttpRequest
{
public:
    // One friend entry: avatar, id in the profile link, bold name, "(type)", the next line.
    static const QString kEntryPattern;

    explicit HttpRequestRegExFriends(const QUrl& url);

    void request() override;

    // In page order; empty when nothing matched, absent when the answer was not decodable.
    const std::optional<QList<Friend>>& friends() const { return m_friends; }

    // Reads a page. A site-relative avatar gets webRoot ("http://host/") in front, as it is.
    static QList<Friend> parseFriends(const QString& page, const QString& webRoot);

private:
    std::optional<QList<Friend>> m_friends;
};
