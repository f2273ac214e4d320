#pragma once

#include "pages/WebViewController.h"

// A member's profile page. The list that opened it locked its table and tabs and showed the
// busy overlay; once the page is on screen (or could not be had) they are given back.
class ProfileWebViewController : public WebViewController
{
    Q_OBJECT
public:
    ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

protected:
    void pageDidLoad() override;
};
