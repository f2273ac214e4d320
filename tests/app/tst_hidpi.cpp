// At a device pixel ratio of 2 the pictures are drawn for the ratio, not blown up from their
// 1x files: an edge that lies on the pixel grid of the picture's source turns from one colour
// to the other within one device pixel (an upscaled bitmap smears it over three), and the
// login screen's background matches its source drawn at twice the size.
#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Window.h"
#include "screens/login/LoginViewController.h"
#include "views/TorrentItemTableViewCell.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

int luminance(QRgb c)
{
    return qGray(c);
}

// Device pixels strictly between the two colours met at `from` and `to` (device pixels along a
// row, or along a column when `vertical`), with a tenth of the contrast as tolerance.
int blendedPixels(const QImage& image, QPoint from, QPoint to)
{
    const bool vertical = from.x() == to.x();
    const int a = luminance(image.pixel(from));
    const int b = luminance(image.pixel(to));
    const int low = std::min(a, b) + std::abs(b - a) / 10;
    const int high = std::max(a, b) - std::abs(b - a) / 10;
    int blended = 0;
    const int first = vertical ? from.y() : from.x();
    const int last = vertical ? to.y() : to.x();
    for (int i = std::min(first, last) + 1; i < std::max(first, last); ++i) {
        const int l = luminance(image.pixel(vertical ? QPoint(from.x(), i) : QPoint(i, from.y())));
        if (l > low && l < high)
            ++blended;
    }
    return blended;
}

QImage grabbed(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString save(const QImage& image, const QString& name)
{
    const QString path = testPicturePath(name);
    image.save(path);
    return path;
}

} // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    void picturesAreDrawnForTheRatio()
    {
        // Twice the pixels, the same size in points.
        const QImage send = Bundle::imageNamed(QStringLiteral("download.png"));
        QCOMPARE(send.size(), QSize(50, 50));
        QCOMPARE(send.deviceIndependentSize(), QSizeF(25, 25));
        const QImage arrow = Bundle::imageNamed(QStringLiteral("up.jpg"));
        QCOMPARE(arrow.size(), QSize(40, 40));
        // At 1 the picture file itself.
        QCOMPARE(Bundle::imageNamed(QStringLiteral("download.png"), 1.0).size(), QSize(25, 25));
    }

    void buttonPictureEdges_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("from"); // device pixels on one side of the edge
        QTest::addColumn<QPoint>("to");   // and on the other
        // The white stem of the send arrow starts at x = 10 points, on the green disc.
        QTest::newRow("send button") << QStringLiteral("download.png") << QSize(25, 25) << QPoint(14, 18)
                                     << QPoint(24, 18);
        // The upright bar of the plus sign starts at x = 22 points, on the dark button.
        QTest::newRow("add button") << QStringLiteral("add.png") << QSize(48, 30) << QPoint(38, 20) << QPoint(48, 20);
        // The cross bar's top edge, y = 13 points.
        QTest::newRow("add button, across") << QStringLiteral("add.png") << QSize(48, 30) << QPoint(34, 20)
                                            << QPoint(34, 30);
    }

    void buttonPictureEdges()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        Button button(Button::Type::Custom);
        button.resize(size);
        button.setImage(Bundle::imageNamed(picture));
        const QImage image = grabbed(&button);
        QCOMPARE(image.size(), size * 2);
        const int blended = blendedPixels(image, from, to);
        // The same edge blown up from the 1x file, for comparison: the check tells them apart.
        Button upscaled(Button::Type::Custom);
        upscaled.resize(size);
        upscaled.setImage(Bundle::imageNamed(picture, 1.0));
        const int smeared = blendedPixels(grabbed(&upscaled), from, to);
        qInfo("%s: %d blended device pixels across the edge (%d when blown up from 1x)", qPrintable(picture), blended,
              smeared);
        QVERIFY2(blended <= 1, qPrintable(save(image, QStringLiteral("hidpi-") + picture)));
        QVERIFY(smeared >= 2);
    }

    // The row's own drawing of its pictures and texts keeps the ratio too: the downloaded mark
    // is drawn from its source, its top edge within a device pixel.
    void rowMarkEdge()
    {
        TorrentItemTableViewCell cell(QRect(0, 0, 320, 37), QStringLiteral("TorrentCell"));
        cell.setNameLbl(QStringLiteral("Sintel"));
        cell.setDownloadedImg(Bundle::imageNamed(QStringLiteral("downloaded.png")));
        const QImage image = grabbed(&cell);
        QCOMPARE(image.size(), QSize(640, 74));
        qInfo("picture: %s", qPrintable(save(image, QStringLiteral("hidpi-row.png"))));
        // The mark's top edge at y = 15 points, above its middle (x = 60 points).
        const int blended = blendedPixels(image, QPoint(100, 24), QPoint(100, 31));
        qInfo("downloaded mark: %d blended device pixels across its top edge", blended);
        QVERIFY(blended <= 1);
    }

    // The background picture lies under the screen at its size in points, drawn from its source
    // at the ratio: the title area matches the source drawn at twice the size.
    void loginBackground()
    {
        Window window;
        LoginViewController screen(nullptr);
        window.addSubview(screen.view());
        window.makeKeyAndVisible();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage image = grabbed(screen.view());
        QCOMPARE(image.size(), QSize(640, 960));
        qInfo("picture: %s", qPrintable(save(image, QStringLiteral("hidpi-login.png"))));

        QSvgRenderer source(QStringLiteral(":/svg/loginBackShort.png.svg"));
        QVERIFY(source.isValid());
        QImage reference(640, 960, QImage::Format_RGB32);
        reference.fill(Qt::black);
        QPainter painter(&reference);
        painter.setRenderHint(QPainter::Antialiasing);
        source.render(&painter, QRectF(0, 0, 640, 960));
        painter.end();

        int worst = 0;
        for (int y = 120; y < 240; ++y) {
            for (int x = 80; x < 560; ++x) {
                const QRgb a = image.pixel(x, y);
                const QRgb b = reference.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        }
        QVERIFY2(worst <= 8, qPrintable(QStringLiteral("differs by %1").arg(worst)));
    }
};

int main(int argc, char** argv)
{
    // Every window at twice the pixels, as on a HiDPI screen.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
