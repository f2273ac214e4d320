#pragma once

#include "site/FetchPageOf.h"
#include "site/Torrent.h"

#include <QList>
#include <QString>

#include <optional>

// Posts the table-data request for the user's snatch list and delivers its rows (empty when
// nothing matched, absent when the answer could not be decoded). It carries a post body as
// FetchPagePost does, but delivers the rows, not whether the post was taken.
class FetchPageAllSnatchTorrents : public FetchPageOf<std::optional<QList<Torrent>>>
{
public:
    using Result = std::optional<QList<Torrent>>;

    // post: the url-encoded table-data request, already escaped.
    FetchPageAllSnatchTorrents(const QUrl& url, const QString& post, Callback<Result> callback);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<Result>, Target*, Member>
    FetchPageAllSnatchTorrents(const QUrl& url, const QString& post, Target* target, Member selector)
        : FetchPageAllSnatchTorrents(url, post, Callback<Result>(target, selector))
    {
    }

    QString post() const { return m_post; }

    void main() override;

private:
    QString m_post;
};
