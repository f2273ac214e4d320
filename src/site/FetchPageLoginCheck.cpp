#include "site/FetchPageLoginCheck.h"

#include "site/HttpRequestRegExUserInfo.h"
#include "site/SiteHosts.h"

const QString FetchPageLoginCheck::kTitlePattern = QStringLiteral("<title>(.*)</title>");

void FetchPageLoginCheck::main()
{
    auto request = std::make_shared<HttpRequestRegEx>(url(), kTitlePattern);
    request->request();
    if (!SiteHosts::isLoginHeader(request->result()) && request->isResponseValid()) {
        HttpRequestRegExUserInfo userInfo;
        userInfo.setPageData(request->responseData().value_or(QByteArray()));
        userInfo.request();
    }
    setReturnObject(std::move(request));
    FetchPageOf::main();
}
