#pragma once

#include "site/HttpRequest.h"

#include <QString>

// The signed-in user's figures (share ratio, amounts uploaded and downloaded) as their own
// profile page shows them. Each is the text the page gives ("1.21 TB", "3.231", "Inf."); null
// when the page does not show it.
struct UserFigures
{
    QString ratio;
    QString uploaded;
    QString downloaded;

    bool isEmpty() const { return ratio.isNull() && uploaded.isNull() && downloaded.isNull(); }
};

// Fetches a profile page and reads the figures from it.
class HttpRequestRegExUserFigures : public HttpRequest
{
public:
    explicit HttpRequestRegExUserFigures(const QUrl& url);

    // Sends the request, then reads the figures from a valid answer.
    void request() override;
    const UserFigures& figures() const { return m_figures; }

    // The figures in a page's text. A figure is the text after its label ("Uploaded",
    // "Downloaded", "Ratio" or "Share ratio", any case) once a colon or the tags between the
    // label's cell and the next are passed: "<td>Uploaded</td><td>1.21 TB</td>",
    // "<b>Uploaded:</b> 1.21 TB<br>", the cells on one line or two.
    static UserFigures figuresFromPage(const QString& page);
    // The pattern of one figure; `label` is itself a pattern.
    static QString figurePattern(const QString& label);

private:
    UserFigures m_figures;
};
