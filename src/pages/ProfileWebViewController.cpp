#include "pages/ProfileWebViewController.h"

#include "app/LoadingIndicator.h"
#include "lists/AllListViewController.h"
#include "platform/ui/TableView.h"
#include "site/HttpRequestRegExProfileDetails.h"

ProfileWebViewController::ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, FetchPageGeneric::classType<HttpRequestRegExProfileDetails>(), parent)
{
    setTitle(QStringLiteral("Profile"));
}

void ProfileWebViewController::pageDidLoad()
{
    LoadingIndicator::sharedInstance()->hideLoadingIndicators();
    if (auto* list = qobject_cast<AllListViewController*>(target())) {
        list->tableView()->setAllowsSelection(true);
        list->disableTabs(false);
    }
}
