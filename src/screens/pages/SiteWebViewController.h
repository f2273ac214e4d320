#pragma once

#include "screens/common/TabWebViewController.h"

// The site's front page, in its own tab, shown as it comes (not cleaned, every link allowed).
// It is fetched anew every time the tab is shown.
class SiteWebViewController : public TabWebViewController
{
    Q_OBJECT
public:
    // No address and the recent torrents screen as target, as the tab bar makes it.
    SiteWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;

protected:
    FetchPageGeneric::ClassType requestClass() const override;
    int fetchOverlayOffset() const override { return 0; }
    int pageOverlayOffset() const override { return -22; }
    // Showing the tab fetches anew anyway.
    void resumeInterruptedLoad() override {}
};
