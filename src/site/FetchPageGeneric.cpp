#include "site/FetchPageGeneric.h"

FetchPageGeneric::FetchPageGeneric(const QUrl& url, Callback<QString> callback,
                                   ClassType classType)
    : FetchPageOf(url, std::move(callback))
    , m_classType(classType ? std::move(classType) : FetchPageGeneric::classType<HttpRequest>())
{
}

void FetchPageGeneric::main()
{
    std::unique_ptr<HttpRequest> request = m_classType(url());
    if (request) {
        request->request();
        recordOutcome(request->failure());
        setReturnObject(request->result());
    }
    FetchPageOf::main();
}
