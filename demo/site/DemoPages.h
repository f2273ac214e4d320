#pragma once

#include <QByteArray>
#include <QString>

class DemoPageFrame;
struct DemoTorrent;

// The demo site's simple pages besides the listings.
class DemoPages
{
public:
    // The sign-in page of the https endpoint; its form posts back to secureWebHost.
    static QString signIn(const DemoPageFrame& frame, const QString& secureWebHost);
    // A torrent's details page: the table that begins "Details for" and the comment form.
    static QString details(const DemoPageFrame& frame, const DemoTorrent& torrent);
    static QString notFound(const DemoPageFrame& frame);
    // What the login screen's donation button opens in the demo, instead of a page on the internet.
    static QString donate(const DemoPageFrame& frame);
    // Placeholder bytes for a torrent file (bencoded, without the info part yet).
    static QByteArray torrentStub(const DemoTorrent& torrent, const QString& webHost);
};
