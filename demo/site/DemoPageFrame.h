#pragma once

#include <QString>

// The site's page chrome around a page's content: document head, top bar, menus, footer.
class DemoPageFrame
{
public:
    // secureWebHost: where the "Log in" link points (https).
    explicit DemoPageFrame(const QString& secureWebHost) : m_secureWebHost(secureWebHost) {}

    QString document(const QString& title, const QString& content) const;

private:
    QString m_secureWebHost;
};
