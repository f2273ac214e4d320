#pragma once

#include "screens/common/WebViewController.h"

// A member's profile page, cut down to its content table, with its links disabled. The list
// that opened it locked its table and tabs and showed the busy overlay; the end of the load
// gives them back.
class ProfileWebViewController : public WebViewController
{
    Q_OBJECT
public:
    ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);
};
