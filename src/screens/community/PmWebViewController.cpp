#include "screens/community/PmWebViewController.h"

#include "site/FetchPageGeneric.h"
#include "site/HttpRequestRegExPm.h"

PmWebViewController::PmWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    m_operationQueue.addOperation(std::make_unique<FetchPageGeneric>(
        url, this, &WebViewController::initializeWebView, FetchPageGeneric::classType<HttpRequestRegExPm>()));
}
