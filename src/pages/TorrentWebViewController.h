#pragma once

#include "pages/WebViewController.h"

// A torrent's details page, cut down to its details table. `tag` is the row of the list
// that opened it.
class TorrentWebViewController : public WebViewController
{
    Q_OBJECT
public:
    TorrentWebViewController(const QUrl& url, int tag, ViewController* target, QObject* parent = nullptr);

    int tag() const { return m_tag; }

private:
    int m_tag;
};
