#include "site/FetchPageAllFriends.h"

#include "site/HttpRequestRegExFriends.h"

void FetchPageAllFriends::main()
{
    HttpRequestRegExFriends request(url());
    request.request();
    recordOutcome(request.failure());
    setReturnObject(request.friends());
    FetchPageOf::main();
}
