#include "site/FetchPageDetails.h"

#include "site/HttpRequestRegExDetails.h"

void FetchPageDetails::main()
{
    HttpRequestRegExDetails request(url());
    request.request();
    setReturnObject(DetailsPage{request.result(), request.imdb()});
    FetchPageOf::main();
}
