#include "site/FetchPageAllTorrents.h"

#include "site/HttpRequestRegExTorrent.h"

void FetchPageAllTorrents::main()
{
    HttpRequestRegExTorrent request(url());
    request.request();
    setReturnObject(request.torrents());
    FetchPageOf::main();
}
