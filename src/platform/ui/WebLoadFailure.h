#pragma once

#include "platform/core/FetchFailure.h"

class QWebEngineLoadingInfo;

// Why the web engine could not load a page, in the terms of our own exchanges, so that a page
// the web view fetched itself (a followed link, a posted form) fails with the same sentences
// as one the screens fetched: "The site answered 404.", "Could not connect to HOST.". The
// engine's own error text is not used: it may hold its error page's markup. A load that was
// only stopped is no failure (kind None).
FetchFailure webLoadFailure(const QWebEngineLoadingInfo& info);
