#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QRect>
#include <QUrl>

#include <functional>

class Button;

// The donation button of the login screen: the donation picture, drawn natively, that opens
// the checkout page (SiteHosts::donateUrl) in the system's browser when tapped. Only a
// picture and a link: no web engine starts for it.
class DonateViewController : public ViewController
{
    Q_OBJECT

public:
    // How a tapped link reaches the system's browser (QDesktopServices::openUrl unless a
    // test put its own in).
    using BrowserHook = std::function<void(const QUrl&)>;
    static void setBrowserHook(BrowserHook hook); // an empty hook restores the default
    static void openInBrowser(const QUrl& url);

    DonateViewController(const QRect& frame, ViewController* target, QObject* parent = nullptr);
    ~DonateViewController() override;

    Button* button() const;
    ViewController* target() const;

    void loadView() override;

private:
    void donate();

    QRect m_frame;
    QPointer<Button> m_button;
    QPointer<ViewController> m_target;
};
