#include "site/FetchPageDetails.h"

#include "site/HttpRequestRegExDetails.h"

void FetchPageDetails::main()
{
    HttpRequestRegExDetails request(url());
    request.request();
    recordOutcome(request.failure());
    setReturnObject(DetailsPage{request.result(), request.imdb()});
    FetchPageOf::main();
}
