#pragma once

#include <QByteArray>
#include <QString>

class DemoAccounts;

namespace httplib {
class Server;
}

// The captcha service on its own host: "/challenge?k=<site key>" answers the script that
// holds a fresh challenge ("challenge : '...'"), "/image?c=<challenge>" the picture of the
// challenge's words. Drawing text needs a QGuiApplication (the offscreen platform will do);
// without one the picture is answered with status 503.
class DemoCaptchaService
{
public:
    static void install(httplib::Server& server, DemoAccounts& accounts, const QString& captchaHost);

    // The words drawn on a noisy background as PNG bytes; empty without a QGuiApplication.
    static QByteArray picture(const QString& text);
};
