#include "DemoCaptchaService.h"

#include "DemoAccounts.h"
#include "DemoPictures.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <httplib.h>

QByteArray DemoCaptchaService::picture(const QString& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QByteArray();
    QImage image(300, 57, QImage::Format_RGB32);
    image.fill(QColor(0xf4, 0xf1, 0xea));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Light strokes behind the words: enough to look like a captcha, little enough to read.
    QRandomGenerator random(qHash(text));
    for (int i = 0; i < 14; ++i) {
        painter.setPen(QPen(QColor(150 + random.bounded(80), 150 + random.bounded(80), 150 + random.bounded(80)), 1.2));
        painter.drawLine(random.bounded(300), random.bounded(57), random.bounded(300), random.bounded(57));
    }
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x22, 0x22, 0x33));
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();

    return DemoPictures::png(image);
}

void DemoCaptchaService::install(httplib::Server& server, DemoAccounts& accounts, const QString& captchaHost)
{
    server.Get("/challenge", [&accounts, captchaHost](const httplib::Request& req, httplib::Response& res) {
        const QString challenge = accounts.newChallenge();
        const QString key = QString::fromStdString(req.get_param_value("k"));
        const QString script = QStringLiteral(
            "var CaptchaState = {\n"
            "    site : '%1',\n"
            "    challenge : '%2',\n"
            "    is_incorrect : false,\n"
            "    programming_error : '',\n"
            "    error_message : '',\n"
            "    server : 'http://%3/',\n"
            "    timeout : 18000\n"
            "};\n"
            "document.write('<img id=\"captcha_image\" width=\"300\" height=\"57\" src=\"' + CaptchaState.server"
            " + 'image?c=' + CaptchaState.challenge + '\" alt=\"\" />');\n"
            "document.write('<input type=\"hidden\" name=\"re_ch\" value=\"' + CaptchaState.challenge + '\" />');\n")
            .arg(key, challenge, captchaHost);
        res.set_header("Cache-Control", "no-cache, no-store");
        res.set_content(script.toStdString(), "text/javascript");
    });

    server.Get("/image", [&accounts](const httplib::Request& req, httplib::Response& res) {
        const QString text = accounts.challengeText(QString::fromStdString(req.get_param_value("c")));
        if (text.isEmpty()) {
            res.status = 404;
            return;
        }
        const QByteArray png = picture(text);
        if (png.isEmpty()) {
            res.status = 503;
            res.set_content("The captcha pictures need a GUI application.", "text/plain");
            return;
        }
        res.set_content(png.toStdString(), "image/png");
    });
}
