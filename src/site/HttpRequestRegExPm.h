#pragma once

#include "site/HttpRequest.h"

#include <QString>

// The private message form cut down for the web view: the document head followed by what
// comes after the advertising box, up to the page's last table end.
class HttpRequestRegExPm : public HttpRequest
{
public:
    static const QString kPagePattern;

    explicit HttpRequestRegExPm(const QUrl& url);

    void request() override;

    // A page without a head or without either advertising box marker comes back as fetched.
    static QString cleanPage(const QString& page);
};
