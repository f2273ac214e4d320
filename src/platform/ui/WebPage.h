#pragma once

#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

class WebView;

// The page of a WebView: asks the view's delegate before every navigation.
class WebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit WebPage(WebView* view);

    // The next main-frame navigation to a data: address is the load of an HTML
    // text: it is reported with `baseUrl` and the kind Other.
    void expectHtmlLoad(const QUrl& baseUrl);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override;

private:
    WebView* m_view;
    bool m_expectHtml = false;
    QUrl m_htmlBase;
};
