#pragma once

#include "site/FetchPageOf.h"
#include "site/HttpRequest.h"

#include <QString>

#include <concepts>
#include <functional>
#include <memory>

// A GET with a request of the given class (a plain HttpRequest or a page cleaner);
// delivers the request's result text (null when absent).
class FetchPageGeneric : public FetchPageOf<QString>
{
public:
    // Makes the request that runs, for the operation's URL.
    using ClassType = std::function<std::unique_ptr<HttpRequest>(const QUrl&)>;

    // The class type of HttpRequest or of one of its subclasses made from a URL alone.
    template <typename Request>
        requires std::derived_from<Request, HttpRequest>
                 && std::constructible_from<Request, const QUrl&>
    static ClassType classType()
    {
        return [](const QUrl& url) -> std::unique_ptr<HttpRequest> {
            return std::make_unique<Request>(url);
        };
    }

    FetchPageGeneric(const QUrl& url, Callback<QString> callback, ClassType classType);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<QString>, Target*, Member>
    FetchPageGeneric(const QUrl& url, Target* target, Member selector, ClassType classType)
        : FetchPageGeneric(url, Callback<QString>(target, selector), std::move(classType))
    {
    }

    void main() override;

private:
    ClassType m_classType;
};
