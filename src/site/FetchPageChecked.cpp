#include "site/FetchPageChecked.h"

#include "site/HttpRequest.h"
#include "site/SiteHosts.h"

void FetchPageChecked::main()
{
    HttpRequest request(url());
    request.request();
    setReturnObject(request.hasResponse() && request.isResponseValid() && !SiteHosts::isLoginHeader(request.result()));
    FetchPageOf::main();
}
