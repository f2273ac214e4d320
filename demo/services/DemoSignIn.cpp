#include "DemoSignIn.h"

#include "DemoHtml.h"

#include <QStringList>
#include <QUrl>

#include <httplib.h>

const char DemoSignIn::kSiteDomain[] = ".tarnvale.localhost";
const char DemoSignIn::kReturnPathWithCaptcha[] = "/?rel=1292368595";

namespace {

const QString kWrongPassword = QStringLiteral("<b>Error:</b> Erroneous password or validation code");
const QString kMissingCaptcha = QStringLiteral("<b>Error:</b> Please fill the validation code field");
const QStringList kFieldOrder = {
    QStringLiteral("nickname"), QStringLiteral("password"), QStringLiteral("Submit"), QStringLiteral("returnpath"),
    QStringLiteral("withq"),    QStringLiteral("re_ch"),    QStringLiteral("validation"),
};

struct Field
{
    QString name;
    QString value;
};

// A url-encoded form as a browser's server reads it: "+" is a blank, "%XX" a byte (UTF-8).
QList<Field> parseForm(const QByteArray& body)
{
    QList<Field> fields;
    for (const QByteArray& pair : body.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        QByteArray name = eq < 0 ? pair : pair.left(eq);
        QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        fields.append({QString::fromUtf8(QByteArray::fromPercentEncoding(name)),
                       QString::fromUtf8(QByteArray::fromPercentEncoding(value))});
    }
    return fields;
}

// Whether the form has exactly the sign-in fields, in order, with their fixed values.
bool wellFormed(const QList<Field>& form)
{
    if (form.size() != kFieldOrder.size())
        return false;
    QHash<QString, QString> value;
    for (int i = 0; i < form.size(); ++i) {
        if (form[i].name != kFieldOrder[i])
            return false;
        value.insert(form[i].name, form[i].value);
    }
    if (value[QStringLiteral("Submit")] != QLatin1String("submit"))
        return false;
    const QString withq = value[QStringLiteral("withq")];
    if (withq == QLatin1String("0")) {
        return value[QStringLiteral("returnpath")] == QLatin1String("/") && value[QStringLiteral("re_ch")].isEmpty()
               && value[QStringLiteral("validation")].isEmpty();
    }
    return withq == QLatin1String("1")
           && value[QStringLiteral("returnpath")] == QLatin1String(DemoSignIn::kReturnPathWithCaptcha)
           && !value[QStringLiteral("re_ch")].isEmpty();
}

QString fieldValue(const QList<Field>& form, const QString& name)
{
    for (const Field& field : form) {
        if (field.name == name)
            return field.value;
    }
    return QString();
}

// The page a member sees after signing in, and on the endpoint while signed in.
QString accountPage(const DemoSiteContext& site, const DemoAccounts::Account& member)
{
    const QString content = QStringLiteral(
        "<table class=\"main\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\"><h2>Welcome back, %1!</h2></td></tr>\n"
        "<tr><td>You are signed in. <a href=\"http://%2/files/\">Browse the newest torrents</a> or "
        "see <a href=\"http://%2/users/%3\">your profile</a>.</td></tr>\n"
        "</table>\n")
        .arg(DemoHtml::escape(member.name), site.webHost)
        .arg(member.id);
    return DemoMemberFrame::document(site, QStringLiteral("My account - Tarnvale"), content, member);
}

void setSessionCookies(httplib::Response& res, const DemoAccounts::Account& member,
                       const DemoAccounts::Session& session)
{
    const std::string expires = "; expires=Fri, 31-Dec-2037 23:59:59 GMT; path=/; domain=";
    res.set_header("Set-Cookie", "uid=" + std::to_string(member.id) + expires + DemoSignIn::kSiteDomain);
    res.set_header("Set-Cookie",
                   "pass=" + session.token.toStdString() + expires + DemoSignIn::kSiteDomain + "; HttpOnly");
    res.set_header("Set-Cookie", "PHPSESSID=" + session.sid.toStdString() + "; path=/");
}

bool isStatic(const std::string& path)
{
    for (const char* prefix : {"/images/", "/pictures/", "/pic/", "/css/", "/js/", "/favicon.ico"}) {
        if (path.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

} // namespace

QString DemoSignIn::signInPage(const DemoSiteContext& site, const QString& error, bool withCaptcha)
{
    const QString otherHost = site.accounts ? site.accounts->captchaScriptHost() : QString();
    const QString& scriptHost = otherHost.isEmpty() ? site.captchaHost : otherHost;
    const QString errorRow = error.isEmpty()
        ? QString()
        : QStringLiteral("<tr><td colspan=\"2\" class=\"error\">%1</td></tr>\n").arg(error);
    const QString captchaRows = withCaptcha
        ? QStringLiteral("<tr class=\"login_row\"><td valign=\"top\">Validation code:</td><td>\n"
                         "<script type=\"text/javascript\" src=\"http://%1/challenge?k=tv-demo-6Lc9xQkAAAAA\"></script>\n"
                         "<noscript>Please enable scripts to see the validation picture.</noscript>\n"
                         "<input type=\"text\" name=\"validation\" size=\"20\" autocomplete=\"off\" />\n"
                         "</td></tr>\n")
              .arg(scriptHost)
        : QString();
    const QString content = QStringLiteral(
        "<table class=\"main\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\"><h2>User log in</h2></td></tr>\n"
        "<tr><td>\n"
        "<form method=\"post\" action=\"https://%1/account_handler.php\">\n"
        "<table class=\"login\" border=\"0\" cellpadding=\"5\">\n"
        "%2"
        "<tr class=\"login_row\"><td>Username:</td><td><input type=\"text\" name=\"nickname\" size=\"20\" /></td></tr>\n"
        "<tr class=\"login_row\"><td>Password:</td><td><input type=\"password\" name=\"password\" size=\"20\" /></td></tr>\n"
        "%3"
        "<tr class=\"login_row\"><td colspan=\"2\">\n"
        "<input type=\"hidden\" name=\"returnpath\" value=\"%4\" />\n"
        "<input type=\"hidden\" name=\"withq\" value=\"%5\" />\n"
        "<input type=\"submit\" name=\"Submit\" value=\"submit\" />\n"
        "</td></tr>\n"
        "</table>\n"
        "</form>\n"
        "<p><a href=\"/recover.php\">Forgot your password?</a> Cookies must be enabled to log in.</p>\n"
        "</td></tr>\n"
        "</table>\n")
        .arg(site.secureWebHost, errorRow, captchaRows,
             withCaptcha ? QString::fromLatin1(kReturnPathWithCaptcha) : QStringLiteral("/"),
             withCaptcha ? QStringLiteral("1") : QStringLiteral("0"));
    return DemoMemberFrame::document(site, QStringLiteral("User log in - Tarnvale"), content, std::nullopt);
}

void DemoSignIn::install(httplib::Server& secure, const DemoSiteContext& site)
{
    secure.Get("/account_handler.php", [site](const httplib::Request& req, httplib::Response& res) {
        if (const auto member = site.accounts->sessionUser(QString::fromStdString(req.get_header_value("Cookie"))))
            return DemoMemberFrame::sendHtml(res, accountPage(site, *member));
        DemoMemberFrame::sendHtml(res, signInPage(site, QString(), site.accounts->captchaDemanded()));
    });

    secure.Post("/account_handler.php", [site](const httplib::Request& req, httplib::Response& res) {
        DemoAccounts& accounts = *site.accounts;
        const QByteArray body = QByteArray::fromStdString(req.body);
        accounts.setLastSignInBody(body);
        const QList<Field> form = parseForm(body);
        auto refuse = [&](const QString& error) {
            DemoMemberFrame::sendHtml(res, signInPage(site, error, accounts.captchaDemanded()));
        };
        if (!wellFormed(form))
            return refuse(kWrongPassword);

        const bool answered = fieldValue(form, QStringLiteral("withq")) == QLatin1String("1");
        const QString answer = fieldValue(form, QStringLiteral("validation"));
        if (accounts.captchaDemanded() && (!answered || answer.trimmed().isEmpty()))
            return refuse(kMissingCaptcha);
        if (answered && !accounts.checkAnswer(fieldValue(form, QStringLiteral("re_ch")), answer))
            return refuse(kWrongPassword);

        const auto member = accounts.check(fieldValue(form, QStringLiteral("nickname")),
                                           fieldValue(form, QStringLiteral("password")));
        if (!member) {
            accounts.setCaptchaDemanded(true);
            return refuse(kWrongPassword);
        }
        accounts.setCaptchaDemanded(false);
        setSessionCookies(res, *member, accounts.openSession(member->id));
        DemoMemberFrame::sendHtml(res, accountPage(site, *member));
    });
}

void DemoSignIn::installSessionGate(httplib::Server& server, const DemoSiteContext& site)
{
    server.set_pre_routing_handler([site](const httplib::Request& req, httplib::Response& res) {
        if (!site.accounts->sessionRequired() || isStatic(req.path)
            || site.accounts->sessionUser(QString::fromStdString(req.get_header_value("Cookie"))))
            return httplib::Server::HandlerResponse::Unhandled;
        DemoMemberFrame::sendHtml(res, signInPage(site, QString(), site.accounts->captchaDemanded()));
        return httplib::Server::HandlerResponse::Handled;
    });
}
