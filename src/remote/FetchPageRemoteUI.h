#pragma once

#include "site/FetchPageOf.h"

#include <QString>

#include <memory>

class BitClient;

// Fetches the remote client's own web interface page, after the client's handshake, for
// the remote web interface screen. Delivers the reply's text (empty when there was none).
// A failed fetch shows the connection failure alert; a good one shows "Success!" only when
// the screen is testing the settings.
class FetchPageRemoteUI : public FetchPageOf<QString>
{
public:
    // url() is the stored client's web interface address (empty when no client is stored).
    FetchPageRemoteUI(Callback<QString> callback, bool testingSettings);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<QString>, Target*, Member>
    FetchPageRemoteUI(Target* target, Member selector, bool testingSettings)
        : FetchPageRemoteUI(Callback<QString>(target, selector), testingSettings)
    {
    }

    void main() override;

    // The adapter of the client in the stored remote settings, filled from them; null when no
    // client is stored.
    static std::unique_ptr<BitClient> storedClient();
    // The web interface address of the client in the stored remote settings.
    static QUrl storedWebUrl();

private:
    bool m_testingSettings;
};
