#pragma once

#include "site/HttpRequest.h"

#include <QString>

// A torrent's details page cut down for the web view: the document head followed by the
// table that begins "Details for" and runs past the comment form, without advertising.
class HttpRequestRegExDetails : public HttpRequest
{
public:
    static const QString kDeletedMessage;
    static const QString kPagePattern;

    explicit HttpRequestRegExDetails(const QUrl& url);

    void request() override;

    // The link to the torrent's title page at the film database; null when there is none.
    QString imdb() const { return m_imdb; }

    // Cleans a page. A deleted torrent's page, or a page without the details table, comes
    // back unchanged. filmHost is written into the title link pattern as it is.
    static QString cleanPage(const QString& page, const QString& filmHost, QString* imdb = nullptr);

private:
    QString m_imdb;
};
