#include "screens/community/PmWebViewController.h"

#include "site/FetchPageGeneric.h"
#include "site/HttpRequestRegExPm.h"

PmWebViewController::PmWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    fetchPage(FetchPageGeneric::classType<HttpRequestRegExPm>());
}
