#pragma once

#include "screens/common/WebViewController.h"

// A member's profile page, cut down to its content table, with its links disabled. The list
// that opened it locked its table and tabs and showed the busy overlay; the end of the load
// gives them back. The screen's title is the member's name; the page's "Send message" link
// stays usable and opens the message screen for that member, as the friends list's envelope
// does.
class ProfileWebViewController : public WebViewController
{
    Q_OBJECT
public:
    ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

    // The member's name in a profile address ("/users/<name>"); null for any other address.
    static QString memberName(const QUrl& url);
    // The receiver's id when `url` is the site's message form for one; null otherwise.
    static QString messageReceiver(const QUrl& url);

    bool shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                    bool isMainFrame) override;
    void webViewDidFinishLoad(WebView* webView) override;

    // Keeps the message links working once every link's address is gone: each remembers its
    // address and goes there when clicked, which shouldStartLoadWithRequest then answers.
    static QString keepMessageLinksScript();

private:
    void openMessageForm(const QString& receiver);
};
