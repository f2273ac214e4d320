#include "screens/community/ProfileWebViewController.h"

#include "site/FetchPageGeneric.h"
#include "site/HttpRequestRegExProfileDetails.h"

ProfileWebViewController::ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    fetchPage(FetchPageGeneric::classType<HttpRequestRegExProfileDetails>());
}
