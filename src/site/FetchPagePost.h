#pragma once

#include "site/FetchPageOf.h"

#include <QString>

// A form POST of an url-encoded body whose answer does not matter: always delivers true,
// whatever the site answered, even when nothing answered.
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

private:
    QString m_post;
};
