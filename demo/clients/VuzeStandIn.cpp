#include "VuzeStandIn.h"

#include "DemoTorrentFile.h"

#include <httplib.h>

namespace {
constexpr char kRealm[] = "Azureus - Swing Web Interface";
constexpr int kMaxFiles = 3;
}

VuzeStandIn::VuzeStandIn(const QString& username, const QString& password)
    : StandInServer(username, password)
{
    server().Post("/index.tmpl", [this](const httplib::Request& request, httplib::Response& response) {
        if (!authorize(request, response, kRealm))
            return;
        QStringList lines;
        if (request.get_param_value("d") == "u") {
            int read = 0;
            for (const auto& [key, file] : request.files) {
                if (read == kMaxFiles)
                    break;
                if (file.name.find("upfile") == std::string::npos || file.filename.empty())
                    continue;
                ++read;
                const QByteArray bytes = QByteArray::fromStdString(file.content);
                const QString name = DemoTorrentFile::nameOf(bytes);
                if (name.isNull()) {
                    lines.append(QStringLiteral("Error loading torrent ")
                                 + htmlEscaped(QString::fromStdString(file.filename)));
                    continue;
                }
                addTorrent(name);
                lines.append(htmlEscaped(name) + QStringLiteral(" loaded successfully!<br>Torrent saved in ")
                             + QString::fromUtf8(kSaveDirectory));
            }
        }
        const QString page = QStringLiteral("<html><head><title>Azureus : Java BitTorrent Client</title></head>"
                                            "<body>\n")
            + lines.join(QStringLiteral("<br>\n")) + QStringLiteral("\n</body></html>");
        response.set_content(page.toStdString(), "text/html; charset=utf-8");
    });

    server().Get("/", [this](const httplib::Request& request, httplib::Response& response) {
        if (!authorize(request, response, kRealm))
            return;
        QString page = QStringLiteral("<html><head><title>Azureus : Java BitTorrent Client</title></head><body>"
                                      "<table id=\"downloads\">\n");
        for (const QString& name : torrentNames())
            page += QStringLiteral("<tr><td>") + htmlEscaped(name) + QStringLiteral("</td></tr>\n");
        page += QStringLiteral("</table></body></html>");
        response.set_content(page.toStdString(), "text/html; charset=utf-8");
    });
}
