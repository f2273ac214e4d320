// The signed-in user's figures (ratio, uploaded, downloaded) read from a profile page: the
// demo site's page over loopback, a saved page of another layout, and the layouts the same
// figures come in elsewhere (inline labels, header cells, cells on two lines), with the
// texts that look like a figure and are not.
#include "DemoAccounts.h"
#include "DemoHtml.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "Fixture.h"

#include "platform/core/OperationQueue.h"
#include "site/FetchPageUserFigures.h"
#include "site/HttpRequestRegExUserFigures.h"
#include "site/SiteAddress.h"
#include "site/UserInfo.h"

#include <QTest>

#include <memory>
#include <optional>

class TestUserFigures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layouts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<QString>("uploaded");
        QTest::addColumn<QString>("downloaded");

        QTest::newRow("saved profile: heading cells, no ratio")
            << fixture(QStringLiteral("profile.html")) << QString() << QStringLiteral("1.21 TB")
            << QStringLiteral("310.52 GB");
        QTest::newRow("inline bold labels with colons")
            << QStringLiteral("<p><b>Ratio:</b> <font color=\"green\">1.52</font><br /><b>Uploaded:</b> 12.30 GB"
                              "<br/><b>Downloaded:</b>8.09&nbsp;GB</p>")
            << QStringLiteral("1.52") << QStringLiteral("12.30 GB") << QStringLiteral("8.09 GB");
        QTest::newRow("header cells on two lines, CR/LF, other case")
            << QStringLiteral("<table><tr>\r\n<th class=\"h\">UPLOADED</th>\r\n<td align=\"right\">\r\n  640.00 GB\r\n"
                              "</td></tr>\r\n<tr><th>Downloaded</th>\r\n<td><b>201.00 GB</b></td></tr>\r\n"
                              "<tr><th>Share Ratio</th><td>Inf.</td></tr></table>")
            << QStringLiteral("Inf.") << QStringLiteral("640.00 GB") << QStringLiteral("201.00 GB");
        // "Uploaded by" is a torrent's uploader; an empty cell does not lend the next row's text.
        QTest::newRow("look-alikes")
            << QStringLiteral("<td>Uploaded by</td><td>morpheus</td></tr><tr><td>Downloaded</td><td></td></tr>"
                              "<tr><td>Ratio</td><td>2.000</td></tr><tr><td>Uploaded</td><td>9 GB</td></tr>")
            << QStringLiteral("2.000") << QStringLiteral("9 GB") << QString();
        QTest::newRow("a paragraph is no figure")
            << QStringLiteral("<td>Ratio</td><td>%1</td>").arg(QString(40, QLatin1Char('x'))) << QString() << QString()
            << QString();
        QTest::newRow("sign-in page") << QStringLiteral("<title>User log in - Tarnvale</title>") << QString()
                                      << QString() << QString();
    }

    void layouts()
    {
        QFETCH(QString, page);
        const UserFigures figures = HttpRequestRegExUserFigures::figuresFromPage(page);
        QTEST(figures.ratio, "ratio");
        QTEST(figures.uploaded, "uploaded");
        QTEST(figures.downloaded, "downloaded");
    }

    // The demo's own profile page, fetched as the header does: the figures land in UserInfo;
    // a page without them (another layout, or none) keeps what it holds.
    void demoProfileFillsUserInfo()
    {
        DemoSite site;
        QString error;
        QVERIFY2(DemoSiteSetup::start(site, &error), qPrintable(error));
        site.accounts().setSessionRequired(false);
        const std::optional<DemoAccounts::Account> demo =
            site.accounts().byName(QString::fromLatin1(DemoSite::kDemoUsername));
        QVERIFY(demo);
        UserInfo& info = UserInfo::sharedInstance();
        info.setUsername(demo->name);

        OperationQueue queue(1);
        std::optional<bool> found;
        auto fetchFigures = [&](const QString& name) {
            found.reset();
            queue.addOperation(std::make_unique<FetchPageUserFigures>(
                *SiteAddress::profileUrl(name), Callback<bool>(this, [&found](bool f) { found = f; })));
        };
        fetchFigures(demo->name);
        QTRY_VERIFY(found.has_value());
        QVERIFY(*found);
        QCOMPARE(info.uploaded(), DemoHtml::sizeText(demo->uploaded));
        QCOMPARE(info.downloaded(), DemoHtml::sizeText(demo->downloaded));
        QCOMPARE(info.ratio(), QString::number(double(demo->uploaded) / double(demo->downloaded), 'f', 3));

        fetchFigures(QStringLiteral("nobody-here"));
        QTRY_VERIFY(found.has_value());
        QVERIFY(!*found);
        QCOMPARE(info.uploaded(), DemoHtml::sizeText(demo->uploaded));

        // Another member's name clears them: they were not this member's.
        info.setUsername(QStringLiteral("trinity"));
        QVERIFY(info.ratio().isNull() && info.uploaded().isNull() && info.downloaded().isNull());
        site.stop();
    }
};

QTEST_GUILESS_MAIN(TestUserFigures)
#include "tst_userfigures.moc"
