#pragma once

#include "site/FetchPageOf.h"
#include "site/Friend.h"

#include <QList>

#include <optional>

// Fetches the friends page and delivers its entries (empty when nothing matched, absent when
// the answer could not be decoded).
class FetchPageAllFriends : public FetchPageOf<std::optional<QList<Friend>>>
{
public:
    using FetchPageOf::FetchPageOf;

    void main() override;
};
