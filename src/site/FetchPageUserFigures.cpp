#include "site/FetchPageUserFigures.h"

#include "site/HttpRequestRegExUserFigures.h"
#include "site/UserInfo.h"

void FetchPageUserFigures::main()
{
    HttpRequestRegExUserFigures request(url());
    request.request();
    recordOutcome(request.failure());
    const UserFigures& figures = request.figures();
    UserInfo& info = UserInfo::sharedInstance();
    if (!figures.ratio.isNull())
        info.setRatio(figures.ratio);
    if (!figures.uploaded.isNull())
        info.setUploaded(figures.uploaded);
    if (!figures.downloaded.isNull())
        info.setDownloaded(figures.downloaded);
    setReturnObject(!figures.isEmpty());
    FetchPageOf::main();
}
