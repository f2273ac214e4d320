#include "DemoSite.h"

#include "DemoCertificate.h"
#include "DemoListingPage.h"
#include "DemoMemberSite.h"
#include "DemoNoticeService.h"
#include "DemoPageFrame.h"
#include "DemoPages.h"
#include "DemoPictures.h"
#include "DemoServerThread.h"
#include "DemoTorrentFile.h"

#include <httplib.h>

#include <chrono>

const char DemoSite::kWebHostName[] = "www.tarnvale.localhost";
const char DemoSite::kDemoUsername[] = "demo";
const char DemoSite::kDemoPassword[] = "tarnvale";

namespace {

const char kHtml[] = "text/html; charset=utf-8";

void sendHtml(httplib::Response& res, const QString& html, int status = 200)
{
    res.status = status;
    res.set_content(html.toStdString(), kHtml);
}

QString param(const httplib::Request& req, const char* name, const char* fallback = "")
{
    if (!req.has_param(name))
        return QString::fromLatin1(fallback);
    return QString::fromStdString(req.get_param_value(name));
}

DemoCatalog::Query listingQuery(const httplib::Request& req)
{
    DemoCatalog::Query query;
    query.category = param(req, "category", "0");
    query.subCategory = param(req, "subcategory").toInt();
    query.language = param(req, "language", "0");
    query.sort = param(req, "sort");
    query.text = param(req, "query");
    bool ok = false;
    const int page = param(req, "page", "1").toInt(&ok);
    query.page = ok ? page : 1;
    return query;
}

} // namespace

DemoSite::DemoSite(int httpPort, int httpsPort)
    : m_requestedHttpPort(httpPort), m_requestedHttpsPort(httpsPort)
{
}

DemoSite::~DemoSite()
{
    stop();
}

bool DemoSite::start(QString* error)
{
    if (isRunning())
        return true;
    {
        std::lock_guard lock(m_latencyLock);
        m_stopping = false;
    }
    if (!m_pictures)
        m_pictures = std::make_unique<DemoPictures>();
    if (!m_notice)
        m_notice = std::make_unique<DemoNoticeService>();
    if (!m_notice->start(error))
        return false;
    m_certificate = std::make_unique<DemoCertificate>();
    if (!m_certificate->create(error)) {
        m_notice->stop();
        m_certificate.reset();
        return false;
    }

    auto web = std::make_unique<DemoServerThread>(std::make_unique<httplib::Server>());
    auto secure = std::make_unique<DemoServerThread>(std::make_unique<httplib::SSLServer>(
        m_certificate->serverCertificatePath().toLocal8Bit().constData(),
        m_certificate->serverKeyPath().toLocal8Bit().constData()));
    // Bind first: the pages carry the hosts with their ports.
    if (!web->bind(m_requestedHttpPort, error) || !secure->bind(m_requestedHttpsPort, error)) {
        m_certificate.reset();
        return false;
    }
    m_web = web.get();
    m_secure = secure.get();
    m_frame = std::make_unique<DemoPageFrame>(secureWebHost());
    // The members' routes first: they answer details pages and the sign-in endpoint.
    m_members = std::make_unique<DemoMemberSite>();
    if (!m_members->prepare(*m_web, *m_secure, webHost(), secureWebHost(), m_catalog, error)) {
        m_web = m_secure = nullptr;
        m_members.reset();
        m_certificate.reset();
        return false;
    }
    m_members->start();
    installWebRoutes(*m_web);
    installSignInRoutes(*m_secure);
    web->start();
    secure->start();
    m_servers.push_back(std::move(web));
    m_servers.push_back(std::move(secure));
    return true;
}

void DemoSite::stop()
{
    {
        // Pages waiting out their latency are answered now, so the servers can stop.
        std::lock_guard lock(m_latencyLock);
        m_stopping = true;
    }
    m_stopped.notify_all();
    for (auto& server : m_servers)
        server->stop();
    m_servers.clear();
    if (m_members)
        m_members->stop();
    if (m_notice)
        m_notice->stop();
    m_web = nullptr;
    m_secure = nullptr;
    m_certificate.reset();
}

int DemoSite::httpPort() const
{
    return m_web ? m_web->port() : 0;
}

int DemoSite::httpsPort() const
{
    return m_secure ? m_secure->port() : 0;
}

QString DemoSite::webHost() const
{
    return QStringLiteral("%1:%2").arg(QLatin1String(kWebHostName)).arg(httpPort());
}

QString DemoSite::secureWebHost() const
{
    return QStringLiteral("%1:%2").arg(QLatin1String(kWebHostName)).arg(httpsPort());
}

DemoAccounts& DemoSite::accounts()
{
    return m_members->accounts();
}

QString DemoSite::captchaHost() const
{
    return m_members ? m_members->captchaHost() : QString();
}

QString DemoSite::forumHost() const
{
    return m_members ? m_members->forumHost() : QString();
}

DemoNoticeService& DemoSite::notice()
{
    return *m_notice;
}

QString DemoSite::noticeHost() const
{
    return m_notice ? m_notice->host() : QString();
}

QString DemoSite::caCertificatePath() const
{
    return m_certificate ? m_certificate->caCertificatePath() : QString();
}

QUrl DemoSite::listingUrl(const QString& category, const QString& language, const QString& sort,
                          const QString& query, int page) const
{
    return QUrl(QStringLiteral("http://%1/files/?uid=0&category=%2&subcategory=0&language=%3"
                               "&seeded=0&quality=0&external=2&query=%4&sort=%5&page=%6")
                    .arg(webHost(), category, language,
                         QString::fromLatin1(QUrl::toPercentEncoding(query)), sort)
                    .arg(page));
}

void DemoSite::setLatency(int milliseconds)
{
    setLatency(milliseconds > 0 ? QList<int>{milliseconds} : QList<int>());
}

void DemoSite::setLatency(const QList<int>& millisecondsByPage)
{
    std::lock_guard lock(m_latencyLock);
    m_latency = millisecondsByPage;
}

QList<int> DemoSite::latency() const
{
    std::lock_guard lock(m_latencyLock);
    return m_latency;
}

std::optional<QList<int>> DemoSite::parseLatency(const QString& text)
{
    QList<int> values;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < 0)
            return std::nullopt;
        values.append(value);
    }
    return values;
}

void DemoSite::waitLatency(int page)
{
    std::unique_lock lock(m_latencyLock);
    if (m_latency.isEmpty())
        return;
    const int index = int((qint64(std::max(page, 1)) - 1) % m_latency.size());
    const auto delay = std::chrono::milliseconds(m_latency.at(index));
    m_stopped.wait_for(lock, delay, [this] { return m_stopping; });
}

void DemoSite::recordAnswer(int page)
{
    std::lock_guard lock(m_latencyLock);
    if (m_answeredPages.size() >= kAnsweredPagesKept)
        m_answeredPages.removeFirst();
    m_answeredPages.append(page);
}

QList<int> DemoSite::answeredPages() const
{
    std::lock_guard lock(m_latencyLock);
    return m_answeredPages;
}

void DemoSite::clearAnsweredPages()
{
    std::lock_guard lock(m_latencyLock);
    m_answeredPages.clear();
}

DemoTorrent DemoSite::addTorrent(const QString& name)
{
    return m_catalog.add(name);
}

DemoTorrent DemoSite::addNextTorrent()
{
    static const char* const kFollowed[] = {"Linux Mint %1 Cinnamon 64-bit", "FreeBSD 15.%1 amd64 DVD",
                                             "Debian GNU/Linux 13.%1 netinst", "OpenBSD 7.%1 install image"};
    static const char* const kOthers[] = {"Field Recordings Vol. %1 FLAC", "Night Trains %1 (2026) 1080p",
                                           "Chess Openings Handbook %1 PDF", "Harbour Lights S01E%1 720p"};
    const int n = m_uploads.fetch_add(1);
    const int number = n / 2 + 1;
    const char* pattern = n % 2 == 0 ? kFollowed[(n / 2) % 4] : kOthers[(n / 2) % 4];
    return addTorrent(QString::fromLatin1(pattern).arg(number));
}

void DemoSite::installWebRoutes(DemoServerThread& web)
{
    httplib::Server& server = web.server();

    // A few pages held up by the latency must not keep the next ones waiting for a thread.
    server.new_task_queue = [] { return new httplib::ThreadPool(kWebThreads); };

    auto listing = [this](const httplib::Request& req, httplib::Response& res) {
        const DemoCatalog::Query query = listingQuery(req);
        waitLatency(query.page);
        int total = 0;
        const auto rows = m_catalog.page(query, &total);
        sendHtml(res, DemoListingPage::render(*m_frame, query, rows, total, webHost()));
        recordAnswer(query.page);
    };
    server.Get("/donate", [this](const httplib::Request&, httplib::Response& res) {
        sendHtml(res, DemoPages::donate(*m_frame));
    });
    server.Get("/", listing);
    server.Get("/files", listing);
    server.Get("/files/", listing);

    server.Get(R"(/torrent/(\d+)(/.*)?)", [this](const httplib::Request& req, httplib::Response& res) {
        const DemoTorrent* torrent = m_catalog.byId(std::stoi(req.matches[1].str()));
        if (!torrent)
            return sendHtml(res, DemoPages::notFound(*m_frame), 404);
        sendHtml(res, DemoPages::details(*m_frame, *torrent));
    });

    server.Get(R"(/files/download/(\d+)(/.*)?)", [this](const httplib::Request& req, httplib::Response& res) {
        const DemoTorrent* torrent = m_catalog.byId(std::stoi(req.matches[1].str()));
        if (!torrent)
            return sendHtml(res, DemoPages::notFound(*m_frame), 404);
        // Valid metainfo, so a real client takes it; the tracker address stays on loopback.
        const QByteArray bytes = DemoTorrentFile::make(torrent->name, QStringLiteral("http://%1/announce").arg(webHost()));
        res.set_header("Content-Disposition", "attachment; filename=\"" + std::to_string(torrent->id) + ".torrent\"");
        res.set_content(bytes.toStdString(), "application/x-bittorrent");
    });

    // By file name; also the full addresses behind the prefix (a browser reads them so) and on
    // the picture host, where the application asks for the ".png" of each ".gif".
    auto categoryPicture = [this](const httplib::Request& req, httplib::Response& res) {
        QString name = QString::fromStdString(req.matches[1].str());
        if (name.endsWith(QLatin1String(".png")))
            name = name.chopped(4) + QLatin1String(".gif");
        const QByteArray png = m_pictures->categoryPicture(name);
        if (png.isEmpty()) {
            res.status = 404;
            return;
        }
        res.set_content(png.toStdString(), "image/png");
    };
    server.Get(R"(/images/cats/(?:.*/)?([^/]+))", categoryPicture);
    server.Get(std::string(DemoListingPage::kPicturePath) + "([^/]+)", categoryPicture);
    server.Get("/images/download.gif", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content(m_pictures->downloadPicture().toStdString(), "image/png");
    });
}

void DemoSite::installSignInRoutes(DemoServerThread& secure)
{
    httplib::Server& server = secure.server();
    auto signIn = [this](const httplib::Request&, httplib::Response& res) {
        sendHtml(res, DemoPages::signIn(*m_frame, secureWebHost()));
    };
    server.Get("/account_handler.php", signIn);
    server.Post("/account_handler.php", signIn);
}
