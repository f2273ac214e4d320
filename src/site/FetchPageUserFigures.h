#pragma once

#include "site/FetchPageOf.h"

// Fetches the signed-in user's own profile page and puts the figures it shows (ratio,
// uploaded, downloaded) into the shared UserInfo; a figure the page does not show keeps its
// value. Delivers whether any figure was found.
class FetchPageUserFigures : public FetchPageOf<bool>
{
public:
    using FetchPageOf::FetchPageOf;

    void main() override;
};
