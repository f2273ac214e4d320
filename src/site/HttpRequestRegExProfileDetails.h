#pragma once

#include "site/HttpRequest.h"

#include <QString>

// A user's profile page cut down for the web view: the document head followed by the
// content table that starts at the "ctable_content" table.
class HttpRequestRegExProfileDetails : public HttpRequest
{
public:
    static const QString kPagePattern;
    static const QString kErrorPage; // shown when the page does not have that table

    explicit HttpRequestRegExProfileDetails(const QUrl& url);

    void request() override;

    static QString cleanPage(const QString& page);
};
