#pragma once

#include "site/FetchPageOf.h"

#include <QString>

class HttpRequest;

// A form POST of an url-encoded body whose answer says nothing else worth reading: delivers
// whether the site took it (see tookPost).
class FetchPagePost : public FetchPageOf<bool>
{
public:
    // post: the url-encoded body, already escaped by the caller.
    FetchPagePost(const QUrl& url, const QString& post, Callback<bool> callback);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<bool>, Target*, Member>
    FetchPagePost(const QUrl& url, const QString& post, Target* target, Member selector)
        : FetchPagePost(url, post, Callback<bool>(target, selector))
    {
    }

    QString post() const { return m_post; }

    void main() override;

    // A 2xx answer with a body that is not the sign-in page (what remains after a refused
    // renewal of the session). No answer, an error status or an empty answer: not taken.
    static bool tookPost(const HttpRequest& request);

private:
    QString m_post;
};
