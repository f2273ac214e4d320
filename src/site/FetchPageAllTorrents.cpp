#include "site/FetchPageAllTorrents.h"

#include "site/HttpRequestRegExTorrent.h"

void FetchPageAllTorrents::main()
{
    HttpRequestRegExTorrent request(url());
    request.request();
    recordOutcome(request.failure(), request.timedOut());
    setReturnObject(request.torrents());
    FetchPageOf::main();
}
