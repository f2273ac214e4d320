#pragma once

#include "screens/common/WebViewController.h"

// The form for writing a private message to a friend, cut down to the content below the
// site's advertising box. The friends list locked its table and tabs and showed the busy
// overlay; the end of the load gives them back.
class PmWebViewController : public WebViewController
{
    Q_OBJECT
public:
    PmWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);
};
