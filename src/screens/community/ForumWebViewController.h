#pragma once

#include "screens/common/TabWebViewController.h"

// The site's forum, in its own tab. Its pages are fetched with the phone browser's user agent
// and shown whole, links usable; the page may follow links within the forum host only: a page
// of another host is refused and the forum's front page is fetched again instead. Frames
// inside a page are not checked (a frame from another host would otherwise refetch the front
// page again and again).
class ForumWebViewController : public TabWebViewController
{
    Q_OBJECT
public:
    // No address and the recent torrents screen as target, as the tab bar makes it.
    ForumWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

    // Whether a page at this address is on the forum's host (and port); an empty address is.
    static bool staysOnForum(const QUrl& url);

    bool shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                    bool isMainFrame) override;

protected:
    QUrl baseUrl() const override;
    FetchPageGeneric::ClassType requestClass() const override;
    int fetchOverlayOffset() const override { return -44; }
    int pageOverlayOffset() const override { return -20; }
};
