#pragma once

#include "platform/core/UrlLoader.h"

#include <QUrl>

#include <optional>

// The first listing page, asked for while the sign-in's session check is still under way.
// With a stored session the page is there when the list asks for it, so on a real link the
// list does not wait for the check's round trips and then for its own. An answer is handed
// over only to the same exchange (address, method, headers), once, while it is fresh, and
// never when it is the sign-in page: then the list asks the site itself as before.
class PagePrefetch
{
public:
    static constexpr int kFreshSeconds = 30;

    // Sends a GET for the address on a worker thread of its own; one at a time.
    static void start(const QUrl& url);

    // The answer to this exchange when a prefetch of it was started (waiting while it is
    // under way); nullopt otherwise, and when the prefetch failed, is stale or got the
    // sign-in page.
    static std::optional<UrlResponse> take(const UrlRequest& request);

    // Drops what is held (for tests).
    static void forget();
};
