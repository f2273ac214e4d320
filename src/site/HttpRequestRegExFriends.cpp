#include "site/HttpRequestRegExFriends.h"

#include "site/SiteHosts.h"
#include "util/Regex.h"

namespace {

// Where the last "id=<digits>><b>" of the page starts; -1 when there is none. Every entry
// holds one, so no entry can start after it.
qsizetype lastProfileLink(const QString& page)
{
    qsizetype from = -1;
    while (true) {
        const qsizetype bold = page.lastIndexOf(QLatin1String("><b>"), from);
        if (bold < 0)
            return -1;
        qsizetype i = bold;
        while (i > 0 && page.at(i - 1).isDigit())
            --i;
        if (i >= 3 && QStringView(page).mid(i - 3, 3) == QLatin1String("id="))
            return i - 3;
        if (bold == 0)
            return -1;
        from = bold - 1;
    }
}

} // namespace

const QString HttpRequestRegExFriends::kEntryPattern = QStringLiteral(
    R"RX(<img .* src="(.*)"[\s\S]*?id=(\d*)><b>(.*)</b></a>[\s\S]*?\((.*)\)<br><br>(.*)<br>)RX");

HttpRequestRegExFriends::HttpRequestRegExFriends(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExFriends::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    m_friends = parseFriends(result(), SiteHosts::webUrl(QStringLiteral("/")).toString());
}

QList<Friend> HttpRequestRegExFriends::parseFriends(const QString& page, const QString& webRoot)
{
    QList<Friend> friends;
    // Both bounds leave the matches exactly as they are and keep the search after the last
    // entry from scanning the rest of the page once per picture there: no match can end after
    // the last "<br>", and none can start after the last profile link.
    const qsizetype lastLink = lastProfileLink(page);
    const qsizetype lastBreak = page.lastIndexOf(QLatin1String("<br>"));
    if (lastLink < 0 || lastBreak < 0)
        return friends;
    Regex::scan(kEntryPattern, page, lastBreak + 4, [&](const Regex::Match& match) {
        const QStringList& entry = match.captures;
        Friend person;
        person.setAvatarUrl(entry[1].contains(QLatin1String("http://")) ? entry[1] : webRoot + entry[1]);
        person.setIds(entry[2]);
        person.setName(entry[3]);
        person.setType(entry[4]);
        person.setDate(entry[5]);
        friends.append(person);
        return match.end > lastLink ? Regex::kStop : Regex::kGoOn;
    });
    return friends;
}
