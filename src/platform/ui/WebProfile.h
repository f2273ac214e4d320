#pragma once

class QWebEngineProfile;

// The one web engine profile of the application's web views. It keeps nothing on disk:
// the application's cookie store is the only store of cookies, and its cookies are copied
// in before each page a web view loads, so that pages, pictures and styles behind the
// site's sign-in load too (and a log-out is seen by the next page).
class WebProfile
{
public:
    // Made on first use, when the first web page is shown: the web engine starts with it.
    static QWebEngineProfile* shared();
    // Whether shared() has made the profile (the web engine has started).
    static bool isCreated();
    // Replaces the profile's cookies by those of the application's cookie store.
    static void copyCookies();
};
