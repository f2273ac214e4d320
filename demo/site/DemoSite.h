#pragma once

#include "DemoCatalog.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <atomic>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class DemoCertificate;
class DemoAccounts;
class DemoMemberSite;
class DemoNoticeService;
class DemoPageFrame;
class DemoPictures;
class DemoServerThread;

// The demo Tarnvale site on loopback: the web host over http (listings, details pages,
// torrent files, pictures) and the sign-in endpoint over https with the demo's own CA.
// Each host is one httplib server on its own thread, bound to 127.0.0.1. Clients reach
// them by the names "www.tarnvale.localhost:<port>" (*.localhost resolves to loopback).
class DemoSite
{
public:
    static const char kWebHostName[];   // "www.tarnvale.localhost"
    static const char kDemoUsername[];  // the demo account
    static const char kDemoPassword[];  // see DemoAccounts for the other members

    // Port 0: pick a free port at start.
    explicit DemoSite(int httpPort = 0, int httpsPort = 0);
    ~DemoSite(); // stops
    DemoSite(const DemoSite&) = delete;
    DemoSite& operator=(const DemoSite&) = delete;

    // Makes the certificates and starts every server; returns once all listen. On failure
    // nothing stays running and error says why.
    bool start(QString* error = nullptr);
    // Stops every server and waits for their threads; the certificate files go away.
    void stop();
    bool isRunning() const { return !m_servers.empty(); }

    int httpPort() const;
    int httpsPort() const;
    QString webHost() const;        // "www.tarnvale.localhost:<httpPort>"
    QString secureWebHost() const;  // "www.tarnvale.localhost:<httpsPort>"
    QString caCertificatePath() const; // PEM of the demo CA; empty before start()

    // A listing address built the way the app builds it.
    QUrl listingUrl(const QString& category = QStringLiteral("0"),
                    const QString& language = QStringLiteral("0"), const QString& sort = QString(),
                    const QString& query = QString(), int page = 1) const;

    const DemoCatalog& catalog() const { return m_catalog; }
    // Uploads a torrent of that name now, at the top of the recent list.
    DemoTorrent addTorrent(const QString& name);
    // Uploads the next of a run of made-up torrents: every other one (the first, the third,
    // ...) has "Linux" or "BSD" in its name, so a favourite filter "Linux|BSD" meets half.
    DemoTorrent addNextTorrent();

    // Latency of the listing pages, in milliseconds: each page is answered that much later,
    // so that pages fetched together finish in an order a test or a person can set. With
    // several values page p takes the value at (p - 1) modulo their count: {400, 800, 0}
    // makes pages 1, 2 and 3 finish 3, 1, 2. Empty or 0: at once. May change while running.
    void setLatency(int milliseconds);
    void setLatency(const QList<int>& millisecondsByPage);
    QList<int> latency() const;
    // "200" or "400,800,0" as setLatency takes it; nothing for any other text.
    static std::optional<QList<int>> parseLatency(const QString& text);

    // The listing pages answered (their page numbers), in the order their answers were
    // made; the latest kAnsweredPagesKept.
    static constexpr int kAnsweredPagesKept = 1000;
    QList<int> answeredPages() const;
    void clearAnsweredPages();

    // Members, sessions and captcha switches (DemoMemberSite); valid after start().
    DemoAccounts& accounts();
    QString captchaHost() const; // "captcha.localhost:<port>"
    QString forumHost() const;   // "forum.tarnvale.localhost:<port>"
    // The notice service asked after each sign-in (answers and record); valid after start().
    DemoNoticeService& notice();
    QString noticeHost() const;  // "notice.localhost:<port>"

    // Threads that answer the web host: enough for a batch of pages held up by the latency
    // to be answered together.
    static constexpr int kWebThreads = 24;

private:
    void installWebRoutes(DemoServerThread& web);
    // Waits the latency of a listing page; cut short when the site stops.
    void waitLatency(int page);
    void recordAnswer(int page);
    void installSignInRoutes(DemoServerThread& secure);

    int m_requestedHttpPort;
    int m_requestedHttpsPort;
    DemoCatalog m_catalog;
    std::atomic<int> m_uploads{0};
    std::unique_ptr<DemoPictures> m_pictures;
    std::unique_ptr<DemoCertificate> m_certificate;
    std::unique_ptr<DemoPageFrame> m_frame;
    std::unique_ptr<DemoMemberSite> m_members;
    std::unique_ptr<DemoNoticeService> m_notice;
    DemoServerThread* m_web = nullptr;    // owned by m_servers
    DemoServerThread* m_secure = nullptr; // owned by m_servers
    std::vector<std::unique_ptr<DemoServerThread>> m_servers;

    mutable std::mutex m_latencyLock; // the latency, the answered pages and the stop flag
    std::condition_variable m_stopped;
    QList<int> m_latency;
    QList<int> m_answeredPages;
    bool m_stopping = false;
};
