#pragma once

#include "site/HttpRequest.h"

// A forum page, fetched as the phone browser asks for it (the forum then serves its
// mobile layout) and shown whole.
class HttpRequestRegExForum : public HttpRequest
{
public:
    explicit HttpRequestRegExForum(const QUrl& url);
};
