#pragma once

#include "site/FetchPageOf.h"
#include "site/HttpRequestRegEx.h"

#include <memory>

// Asks the sign-in endpoint whether the stored cookies still make a signed-in session.
// Delivers the request itself: its result is the page title (the whole page without one);
// a valid answer whose title is not the sign-in page's means signed in, and then UserInfo
// has been filled from it.
class FetchPageLoginCheck : public FetchPageOf<std::shared_ptr<HttpRequestRegEx>>
{
public:
    static const QString kTitlePattern;

    using FetchPageOf::FetchPageOf;

    void main() override;
};
