#pragma once

#include "screens/common/WebViewController.h"

#include <QSet>
#include <QString>

// The remote client's own web interface, in two uses: the "Remote UI" tab (target: the recent
// torrents screen; no alert when the client answers) and "Test remote settings", pushed by the
// remote settings screen (target: that screen; "Success!" or the failure alert). Every
// appearance takes the stored settings afresh, runs the client's handshake and fetches the
// page again.
//
// The page is loaded with the client's address as its base, without credentials in it: the
// interface's own requests (scripts, styles, its RPC calls) get the stored user name and
// password when the client asks for them, once per address and load, so a wrong password
// ends in the failure alert instead of a loop of prompts.
class ClientWebViewController : public WebViewController
{
    Q_OBJECT

public:
    // `url` is none in both uses: the address comes from the stored settings.
    ClientWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

    // Pushed by the remote settings screen to test the settings.
    bool isTestingSettings() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void initializeWebView(QString html) override;
    void loadRequest(const QUrl& url) override;

    bool shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                    bool isMainFrame) override;
    void webViewDidStartLoad(WebView* webView) override;
    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;
    bool didReceiveAuthenticationChallenge(WebView* webView, const QUrl& url, QString* username,
                                           QString* password) override;

protected:
    // The client's web interface address, credentials left out.
    QUrl baseUrl() const override;
    // Every appearance fetches anew; nothing to resume.
    void resumeInterruptedLoad() override {}
    // Says why, with "Try again"; the opener's controls are not this screen's to give back.
    void fetchFailed(const FetchFailure& failure) override;
    // "Try again" fetches the interface again, as an appearance does.
    void refetch() override;
    // The far end is the user's own client, at the address typed for it.
    QString failureReason(const FetchFailure& failure) const override;

private:
    void fetchClientPage();

    QString m_username;
    QString m_password;
    // Addresses already given the credentials in this load: asked again, they were refused.
    QSet<QString> m_answered;
    // The refusal was said in this load.
    bool m_refusalSaid = false;
};
