#include "pages/TorrentWebViewController.h"

#include "site/HttpRequestRegExDetails.h"

TorrentWebViewController::TorrentWebViewController(const QUrl& url, int tag, ViewController* target,
                                                   QObject* parent)
    : WebViewController(url, target, FetchPageGeneric::classType<HttpRequestRegExDetails>(), parent)
    , m_tag(tag)
{
    setTitle(QStringLiteral("Details"));
}
