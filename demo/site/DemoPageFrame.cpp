#include "DemoPageFrame.h"

#include "DemoCategory.h"
#include "DemoHtml.h"

QString DemoPageFrame::document(const QString& title, const QString& content) const
{
    QString categoryMenu;
    for (const DemoCategory& category : DemoCategory::all()) {
        categoryMenu += QStringLiteral("<li><a href=\"/files/?category=%1\">%2</a></li>\n")
                            .arg(category.code, DemoHtml::escape(category.label));
    }

    return QStringLiteral(
               "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
               "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
               "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
               "<head>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
               "<title>%1</title>\n"
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"/css/site.css\" />\n"
               "<link rel=\"shortcut icon\" href=\"/favicon.ico\" />\n"
               "</head>\n"
               "<body>\n"
               "<div id=\"top\">\n"
               "<div id=\"logo\"><a href=\"/\">Tarnvale</a></div>\n"
               "<div id=\"userbar\"><a href=\"https://%2/account_handler.php\">Log in</a> | "
               "<a href=\"/signup.php\">Sign up</a></div>\n"
               "</div>\n"
               "<ul id=\"mainmenu\">\n"
               "<li><a href=\"/\">Home</a></li>\n"
               "<li><a href=\"/files/\">Torrents</a></li>\n"
               "<li><a href=\"/files/upload/\">Upload</a></li>\n"
               "<li><a href=\"/forum/\">Forum</a></li>\n"
               "<li><a href=\"/faq.php\">FAQ</a></li>\n"
               "</ul>\n"
               "<ul id=\"catmenu\">\n%3</ul>\n"
               "<div id=\"content\">\n%4</div>\n"
               "<div id=\"footer\">\n"
               "<a href=\"/rules.php\">Rules</a> | <a href=\"/privacy.php\">Privacy</a> | "
               "<a href=\"/contact.php\">Contact</a><br />\n"
               "&copy; Tarnvale. Tracker software on demo duty.\n"
               "</div>\n"
               "</body>\n"
               "</html>\n")
        .arg(DemoHtml::escape(title), m_secureWebHost, categoryMenu, content);
}
