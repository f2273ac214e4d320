#include "remote/FetchPageRemoteUI.h"

#include "remote/AlertPresenter.h"
#include "remote/BitClient.h"
#include "remote/RemoteTexts.h"
#include "remote/ServerInfo.h"
#include "site/HttpRequest.h"

std::unique_ptr<BitClient> FetchPageRemoteUI::storedClient()
{
    const ServerInfo::Settings settings = ServerInfo::sharedInstance().settings();
    std::unique_ptr<BitClient> client = BitClient::create(settings.client);
    if (client) {
        client->setAddress(settings.address);
        client->setPort(settings.port);
        client->setUsername(settings.username);
        client->setPassword(settings.password);
    }
    return client;
}

QUrl FetchPageRemoteUI::storedWebUrl()
{
    const std::unique_ptr<BitClient> client = storedClient();
    return client ? client->getWebUrl() : QUrl();
}

FetchPageRemoteUI::FetchPageRemoteUI(Callback<QString> callback, bool testingSettings)
    : FetchPageOf<QString>(storedWebUrl(), std::move(callback))
    , m_testingSettings(testingSettings)
{
}

void FetchPageRemoteUI::main()
{
    QString page = QString(QLatin1String(""));
    bool valid = false;
    QString reason;
    // The settings may have changed since the operation was made: take them afresh.
    if (const std::unique_ptr<BitClient> client = storedClient()) {
        client->setSessionId();
        HttpRequest request(client->getWebUrl());
        request.setExtraHeaders({{QStringLiteral("Keep-Alive"), QStringLiteral("115")}});
        request.setUsername(client->username());
        request.setPassword(client->password());
        request.request();
        recordOutcome(request.failure());
        // Clients that sign in by their own form answer their sign-in page with a good status:
        // a refused handshake is a failure all the same.
        valid = request.isResponseValid() && !client->handshakeFailed();
        if (!valid)
            reason = client->answerFailureText(request);
        if (!request.result().isNull())
            page = request.result();
    }
    if (!valid)
        AlertPresenter::present(RemoteTexts::connectionFailedTitle,
                                reason.isEmpty() ? RemoteTexts::connectionFailedMessage : reason, RemoteTexts::okButton);
    else if (m_testingSettings)
        AlertPresenter::present(RemoteTexts::successTitle, QString(QLatin1String("")), RemoteTexts::okButton);
    setReturnObject(page);
    FetchPageOf<QString>::main();
}
