#include "screens/community/ProfileWebViewController.h"

#include "site/FetchPageGeneric.h"
#include "site/HttpRequestRegExProfileDetails.h"

ProfileWebViewController::ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    m_operationQueue.addOperation(std::make_unique<FetchPageGeneric>(
        url, this, &WebViewController::initializeWebView,
        FetchPageGeneric::classType<HttpRequestRegExProfileDetails>()));
}
