#include "DemoPages.h"

#include "DemoCategory.h"
#include "DemoHtml.h"
#include "DemoPageFrame.h"
#include "DemoTorrent.h"

#include <QDateTime>

QString DemoPages::signIn(const DemoPageFrame& frame, const QString& secureWebHost)
{
    const QString content = QStringLiteral(
        "<h2>User log in</h2>\n"
        "<form method=\"post\" action=\"https://%1/account_handler.php\">\n"
        "<table class=\"login\">\n"
        "<tr class=\"login_row\"><td>Username:</td><td><input type=\"text\" name=\"nickname\" size=\"20\" /></td></tr>\n"
        "<tr class=\"login_row\"><td>Password:</td><td><input type=\"password\" name=\"password\" size=\"20\" /></td></tr>\n"
        "<tr class=\"login_row\"><td colspan=\"2\">\n"
        "<input type=\"hidden\" name=\"returnpath\" value=\"/\" />\n"
        "<input type=\"hidden\" name=\"withq\" value=\"0\" />\n"
        "<input type=\"hidden\" name=\"re_ch\" value=\"\" />\n"
        "<input type=\"hidden\" name=\"validation\" value=\"\" />\n"
        "<input type=\"submit\" name=\"Submit\" value=\"submit\" />\n"
        "</td></tr>\n"
        "</table>\n"
        "</form>\n"
        "<p><a href=\"/recover.php\">Forgot your password?</a></p>\n").arg(secureWebHost);
    return frame.document(QStringLiteral("User log in - Tarnvale"), content);
}

QString DemoPages::details(const DemoPageFrame& frame, const DemoTorrent& t)
{
    const DemoCategory* category = DemoCategory::byCode(t.category);
    const QString added = QDateTime::fromSecsSinceEpoch(t.addedSecs, Qt::UTC)
                              .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QString content = QStringLiteral(
        "<table class=\"details\" width=\"100%\">\n"
        "<tr class=\"details_head\"><td colspan=\"2\"><h1>Details for %1</h1></td></tr>\n"
        "<tr class=\"details_row\"><td>Download:</td><td><a href=\"%2\">%3.torrent</a></td></tr>\n"
        "<tr class=\"details_row\"><td>Category:</td><td>%4 &raquo; %5</td></tr>\n"
        "<tr class=\"details_row\"><td>Size:</td><td>%6</td></tr>\n"
        "<tr class=\"details_row\"><td>Added:</td><td>%7</td></tr>\n"
        "<tr class=\"details_row\"><td>Peers:</td><td>%8 seeders, %9 leechers</td></tr>\n"
        "<tr class=\"details_row\"><td colspan=\"2\">\n"
        "<form method=\"post\" action=\"/comment.php\">\n"
        "<textarea name=\"body\" rows=\"4\" cols=\"50\"></textarea><br />\n"
        "<input type=\"hidden\" name=\"tid\" value=\"%10\" />\n"
        "<input type=\"submit\" value=\"Submit comment\" />\n"
        "</form>\n"
        "</td></tr>\n"
        "</table>\n")
        .arg(DemoHtml::escape(t.name), DemoHtml::downloadPath(t), DemoHtml::escape(t.name),
             DemoHtml::escape(category ? category->label : QString()),
             DemoHtml::escape(category ? category->subCategories.value(t.subCategory - 1) : QString()),
             DemoHtml::sizeText(t.sizeBytes), added, QString::number(t.seeders), QString::number(t.leechers))
        .arg(t.id);
    return frame.document(QStringLiteral("Details for %1 - Tarnvale").arg(t.name), content);
}

QString DemoPages::notFound(const DemoPageFrame& frame)
{
    return frame.document(QStringLiteral("Not found - Tarnvale"),
                          QStringLiteral("<p class=\"error\">This torrent has been deleted or never existed.</p>\n"));
}

QString DemoPages::donate(const DemoPageFrame& frame)
{
    return frame.document(QStringLiteral("Support Tarnvale"),
                          QStringLiteral("<h1>Support Tarnvale</h1>\n<p>The tracker lives on its members' gifts. "
                                         "This is the demo's checkout page: nothing is charged here.</p>\n"));
}

QByteArray DemoPages::torrentStub(const DemoTorrent& t, const QString& webHost)
{
    auto text = [](const QByteArray& s) { return QByteArray::number(s.size()) + ':' + s; };
    const QByteArray announce = "http://" + webHost.toUtf8() + "/announce";
    return "d8:announce" + text(announce) + "7:comment" + text("Tarnvale demo placeholder") +
           "4:name" + text(t.name.toUtf8()) + "e";
}
