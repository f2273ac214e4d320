#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QUrl>

// The remote client's own web interface. For now a plain screen with its title and tab
// item, so that the tab bar is complete; the screen's own content comes with its own work.
class ClientWebViewController : public ViewController
{
    Q_OBJECT

public:
    // No address and the recent torrents screen as target, as the tab bar makes it.
    ClientWebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);

    QUrl url() const { return m_url; }
    ViewController* target() const { return m_target; }

private:
    QUrl m_url;
    QPointer<ViewController> m_target;
};
