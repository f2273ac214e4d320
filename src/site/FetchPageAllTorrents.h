#pragma once

#include "site/FetchPageOf.h"
#include "site/Torrent.h"

#include <QList>

#include <optional>

// Fetches one torrent listing page and delivers its rows: an empty list when nothing
// matched, absent when the answer could not be decoded. With a priority list, the pages of
// one batch are delivered in page order.
class FetchPageAllTorrents : public FetchPageOf<std::optional<QList<Torrent>>>
{
public:
    using FetchPageOf::FetchPageOf;

    void main() override;
};
