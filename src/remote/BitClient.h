#pragma once

#include "platform/core/FetchFailure.h"
#include "remote/RemoteControlFailure.h"
#include "remote/RemoteTorrent.h"
#include "site/MultipartSource.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class HttpRequest;

// A remote BitTorrent client's HTTP interface: its upload address and body, its own web
// interface, its session or token handshake, and the texts of the remote settings screen.
// The adapters only build requests; HttpRequest sends them. One adapter serves one upload
// or one page load on one thread: made from the stored class name, filled from ServerInfo,
// used, released.
class BitClient : public MultipartSource
{
public:
    // The class name whose getIndex() is index ("Vuze" 0, "Transmission" 1, "Utorrent" 2,
    // "Qbittorrent" 3, "Deluge" 4); empty for any other index.
    static QString getClientByIndex(int index);
    // The adapter of that class name; null for an empty or unknown name.
    static std::unique_ptr<BitClient> create(const QString& className);

    BitClient() = default;
    ~BitClient() override = default;
    BitClient(const BitClient&) = delete;
    BitClient& operator=(const BitClient&) = delete;

    // What the client is, the same for every adapter of a class.
    virtual QString className() const { return QString(QLatin1String("")); }
    virtual int getIndex() const { return -1; }
    virtual QString getDefaultPort() const { return QString(QLatin1String("")); }
    virtual QString getDefaultDescription() const { return QString(QLatin1String("")); }

    // The upload body: prefixData, the file part's header, the file bytes unchanged,
    // postfixData. The same bytes on every call.
    QByteArray getData() const override;
    virtual QUrl getUrl() const;
    // The client's own web interface; with a user name, the credentials stand in the
    // address's user information, percent-escaped.
    QUrl getWebUrl() const;
    // The client's handshake (none here), run on the calling worker thread; stores what it
    // obtained in sessionId.
    virtual void setSessionId() {}
    // Whether the handshake found the client but could not sign in (a refused password, a web
    // interface without its daemon). Clients that sign in by their own form answer a page
    // without one, so their page alone does not tell.
    bool handshakeFailed() const { return m_handshakeFailed; }

    // Sends file to the client and tells whether the client took it. A client that says
    // "no" with a good status counts as a refusal.
    virtual bool upload();
    // Why the last upload() failed, in the words of controlFailureText(): a refused sign-in,
    // nothing listening, the client's own refusal and its reason when it gave one.
    QString uploadFailureText() const;
    // Why an answer from the client (a page of its web interface) is a failure, in the same
    // words; empty when it is not one.
    QString answerFailureText(const HttpRequest& request);

    // The client's torrents and their control, after setSessionId() as for an upload. Each
    // tells how it failed in controlFailure(); clients whose web interface has no such calls
    // fail with NotOffered. A hash is acted on only when it is 40 hex digits and the client
    // holds that torrent: some clients take an unknown hash, or a word like "all", silently.
    virtual bool offersTorrentControl() const { return false; }
    // Newest first; nullopt when the client did not list them.
    std::optional<QList<RemoteTorrent>> torrents();
    // True only once the client reports the torrent paused (this may take a few seconds while
    // the client checks its data).
    bool pauseTorrent(const QString& hash);
    bool resumeTorrent(const QString& hash);
    bool removeTorrent(const QString& hash, bool withData);
    RemoteControlFailure controlFailure() const { return m_controlFailure; }
    // The failure's text, with the client's own words after it when it gave some.
    QString controlFailureText() const;

    // The parts of the multipart body, chosen by each adapter.
    virtual QString prefixData() const { return QString(QLatin1String("")); }
    virtual QString postfixData() const { return QString(QLatin1String("")); }
    virtual QString name() const { return QString(QLatin1String("")); }
    virtual QString fileContentType() const { return QString(QLatin1String("")); }

    QString filename() const { return m_filename; }
    void setFilename(const QString& filename) { m_filename = filename; }
    QString address() const { return m_address; }
    void setAddress(const QString& address) { m_address = address; }
    QString port() const { return m_port; }
    void setPort(const QString& port) { m_port = port; }
    // Null (absent) until a handshake obtained one.
    QString sessionId() const { return m_sessionId; }
    QString username() const { return m_username; }
    void setUsername(const QString& username) { m_username = username; }
    QString password() const { return m_password; }
    void setPassword(const QString& password) { m_password = password; }
    QByteArray file() const { return m_file; }
    void setFile(const QByteArray& file) { m_file = file; }

protected:
    enum class TorrentAction { Pause, Resume, Remove, RemoveWithData };

    // The torrents the client holds, all of them or only the one of that hash (already
    // checked); nullopt, with the failure set, when it did not answer them.
    virtual std::optional<QList<RemoteTorrent>> listTorrents(const QString& onlyHash);
    // Asks the client to act on a torrent it holds; false, with the failure set, when it did not.
    virtual bool sendAction(TorrentAction action, const QString& hash);
    void setControlFailure(RemoteControlFailure failure, const QString& detail = QString());
    // Whether the answer's HTTP status is the client's success, setting the failure when it is
    // not (no answer: why the exchange failed; 401 and 403: refused sign-in).
    bool acceptAnswer(const HttpRequest& request);
    // Notes why an upload's answer is a failure: its exchange's failure, a refused sign-in, or
    // the client's refusal with its reason (empty when it gave none).
    void noteUploadFailure(const HttpRequest& request, const QString& reason = QString());
    // Nothing answered: said as the exchange failed.
    void setUnreachable(const FetchFailure& failure);

    // "http://address:port" followed by path.
    QUrl urlWithPath(const QString& pathAndQuery) const;
    virtual QString webPath() const { return QStringLiteral("/"); }
    // The request that uploads getData() to getUrl(), not yet sent.
    std::unique_ptr<HttpRequest> makeUploadRequest() const;
    // Whether the answer to the upload says the client took the torrent.
    virtual bool isAccepted(const HttpRequest& request) const;
    void storeSessionId(const QString& id) { m_sessionId = id; }
    void setHandshakeFailed(bool failed) { m_handshakeFailed = failed; }
    // Drops the session cookie of that name that the client's host set: once the client has
    // refused the stored password, an earlier session must not go on signing requests in.
    void forgetSessionCookie(const QString& name) const;

private:
    QString m_filename;
    QString m_address;
    QString m_port;
    QString m_sessionId;
    QString m_username;
    QString m_password;
    QByteArray m_file;
    bool m_handshakeFailed = false;
    RemoteControlFailure m_controlFailure = RemoteControlFailure::None;
    QString m_controlDetail;
    QString m_unreachableText; // why nothing answered, when the exchange said it

    bool act(TorrentAction action, const QString& hash);
    // Reads the torrent's state back after a pause until it is paused; false, with NotPaused,
    // when it did not hold in time.
    bool confirmPaused(const QString& hash);
    bool readyForControl();
};
