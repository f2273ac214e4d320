#pragma once

#include "site/FetchPageOf.h"

// Sends a plain GET and delivers whether the site took it: an answer with a valid status
// (200 to 301) that is not the sign-in page (which is what remains after a refused renewal
// of the session). For requests whose answer says nothing else worth reading.
class FetchPageChecked : public FetchPageOf<bool>
{
public:
    using FetchPageOf::FetchPageOf;

    void main() override;
};
