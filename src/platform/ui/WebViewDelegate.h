#pragma once

#include <QString>
#include <QUrl>

class WebView;

class WebViewDelegate
{
public:
    // The kind of a navigation, as the delegate is asked about it.
    enum class NavigationType { LinkClicked, FormSubmitted, BackForward, Reload, FormResubmitted, Other };

    virtual ~WebViewDelegate() = default;
    // Whether the web view may load `url`. The first load of an HTML text is asked about
    // with its base address and the kind Other.
    virtual bool shouldStartLoadWithRequest(WebView*, const QUrl&, NavigationType, bool /*isMainFrame*/)
    {
        return true;
    }
    virtual void webViewDidStartLoad(WebView*) {}
    virtual void webViewDidFinishLoad(WebView*) {}
    virtual void didFailLoadWithError(WebView*, const QString& /*error*/) {}
    // A server asks the page for HTTP credentials (a script's request, a style, a picture):
    // answer true with `username` and `password` filled to give them, false to refuse. The
    // default refuses, so a page never shows a prompt of its own.
    virtual bool didReceiveAuthenticationChallenge(WebView*, const QUrl& /*url*/, QString* /*username*/,
                                                   QString* /*password*/)
    {
        return false;
    }
};
