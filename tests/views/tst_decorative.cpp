// Decorative views drawn offscreen: the rounded box's radius and clear background, the
// header's touch area and its optional actions, the underline's length and height, and the
// upright stretch of scaleToSize, and the banner's picture reaching the banner's bottom.
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "views/BannerView.h"
#include "views/HeaderView.h"
#include "views/HeaderViewDelegate.h"
#include "views/RoundedRectView.h"
#include "views/ScaleToSize.h"
#include "views/UIUnderlinedLabel.h"

#include <QPainter>
#include <QScopeGuard>
#include <QTest>

namespace {
QImage render(QWidget* w)
{
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Only the required operations: the optional buttons must do nothing.
class RequiredOnly : public HeaderViewDelegate
{
public:
    QStringList calls;
    void didRefresh() override { calls << QStringLiteral("refresh"); }
    void didSelectProfile(const QString& name) override
    {
        calls << (name.isNull() ? QStringLiteral("profile:none") : QStringLiteral("profile:") + name);
    }
};

class Everything : public RequiredOnly
{
public:
    void didFilters() override { calls << QStringLiteral("filters"); }
    void didSettings() override { calls << QStringLiteral("settings"); }
    void didSearch() override { calls << QStringLiteral("search"); }
};
} // namespace

class TestDecorative : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundedRectRadius_data();
    void roundedRectRadius();
    void roundedRectStaysClear();
    void headerTouchArea_data();
    void headerTouchArea();
    void headerActions();
    void underline();
    void scaleStretchesUpright();
    void bannerPatternFillsItsHeight_data();
    void bannerPatternFillsItsHeight();
};

void TestDecorative::roundedRectRadius_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("drawn");
    QTest::newRow("capsule 40x20") << QSize(40, 20) << 30.0 << 10.0;
    QTest::newRow("tall 20x40") << QSize(20, 40) << 30.0 << 10.0;
    QTest::newRow("busy box") << QSize(200, 40) << 8.0 << 8.0;
}

void TestDecorative::roundedRectRadius()
{
    QFETCH(QSize, size);
    QFETCH(double, radius);
    QFETCH(double, drawn);
    RoundedRectView view;
    view.resize(size);
    view.setCornerRadius(radius);
    view.setRectColor(Qt::red);
    view.setStrokeColor(Qt::red);
    QCOMPARE(view.effectiveRadius(), drawn);
    const QImage image = render(&view);
    // Sample along the top-left corner's diagonal: outside the arc of the drawn radius the
    // pixels stay clear, inside they are filled.
    const double c = drawn;
    const double outside = c - c / std::sqrt(2.0) - 1.5;  // beyond the arc (and its stroke)
    const double inside = c - c / std::sqrt(2.0) + 1.5;
    if (outside >= 0)
        QCOMPARE(qAlpha(image.pixel(int(outside), int(outside))), 0);
    QCOMPARE(qAlpha(image.pixel(int(inside + 0.5), int(inside + 0.5))), 255);
    // The middle of each side is filled right to the edge.
    QVERIFY(qAlpha(image.pixel(size.width() / 2, 0)) > 200);
    QVERIFY(qAlpha(image.pixel(0, size.height() / 2)) > 200);
    QCOMPARE(QColor(image.pixel(size.width() / 2, size.height() / 2)), QColor(Qt::red));
}

void TestDecorative::roundedRectStaysClear()
{
    QWidget parent;
    parent.resize(60, 40);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::blue);
    parent.setPalette(palette);
    auto* view = new RoundedRectView(QRect(0, 0, 40, 20), &parent);
    view->setRectColor(Qt::red);
    view->setBackgroundColor(Qt::green);
    view->setOpaque(true);
    QVERIFY(!view->isOpaque());
    QCOMPARE(view->backgroundColor(), QColor(Qt::transparent));
    const QImage image = parent.grab().toImage();
    // The corner outside the capsule shows the parent, not a background of the view's own.
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::blue));
    QCOMPARE(QColor(image.pixel(20, 10)), QColor(Qt::red));
}

void TestDecorative::headerTouchArea_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("top edge") << 0.0 << false;
    QTest::newRow("just below the top") << 0.5 << true;
    QTest::newRow("last touch row") << 44.9 << true;
    QTest::newRow("touch area end") << 45.0 << false;
    QTest::newRow("lower part") << 50.0 << false;
    QTest::newRow("bottom") << 69.0 << false;
}

void TestDecorative::headerTouchArea()
{
    QFETCH(double, y);
    QFETCH(bool, inside);
    QCOMPARE(HeaderView::pointInside(QPointF(300, y)), inside);
    QCOMPARE(HeaderView::pointInside(QPointF(-5, y)), inside);

    // Over a list: a press in the lower part reaches the list beneath, in the top part the
    // header (or one of its buttons).
    QWidget screen;
    screen.resize(320, 200);
    auto* list = new QWidget(&screen);
    list->setGeometry(0, 0, 320, 200);
    auto* header = new HeaderView(&screen);
    header->setGeometry(0, 0, 320, HeaderView::kHeight);
    QCOMPARE(header->height(), 70);
    if (y >= 1) {
        QWidget* hit = screen.childAt(QPoint(150, int(y)));
        const bool onHeader = hit == header || header->isAncestorOf(hit);
        QCOMPARE(onHeader, inside);
        if (!inside)
            QCOMPARE(hit, list);
    }
}

void TestDecorative::headerActions()
{
    HeaderView header;
    header.resize(320, 70);
    header.show();
    // No delegate: nothing happens.
    QTest::mouseClick(header.refreshBtn(), Qt::LeftButton);

    RequiredOnly recent;
    header.setParentDelegate(&recent);
    header.searchBtn()->show();
    header.filtersBtn()->show();
    for (Button* b : {static_cast<Button*>(header.usernameLbl()), header.refreshBtn(), header.searchBtn(),
                      header.filtersBtn(), header.settingsBtn()})
        QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(recent.calls, (QStringList{"profile:none", "refresh"}));

    Everything search;
    header.setParentDelegate(&search);
    for (Button* b : {header.searchBtn(), header.filtersBtn(), header.settingsBtn()})
        QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(search.calls, (QStringList{"search", "filters", "settings"}));
}

void TestDecorative::underline()
{
    QWidget parent;
    parent.resize(200, 30);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::black);
    parent.setPalette(palette);
    auto* button = new UIUnderlinedLabel(&parent);
    button->setGeometry(0, 0, 200, 30);
    button->setTitle(QStringLiteral("username"));
    button->setTitleColor(Qt::black);  // only the underline shows on black
    const QLineF line = button->underline();
    QCOMPARE(line.y1(), 25.0);
    QVERIFY(line.x2() > 20 && line.x2() < 100);
    const QImage image = parent.grab().toImage();
    auto lit = [&](int x) { return qGray(image.pixel(x, 24)) + qGray(image.pixel(x, 25)) > 200; };
    QVERIFY(lit(2));
    QVERIFY(lit(int(line.x2()) - 2));
    QVERIFY(!lit(int(line.x2()) + 3));
    QVERIFY(!lit(190));
    // Nothing above it: the line lies 5 points above the bottom, not elsewhere.
    QCOMPARE(qGray(image.pixel(5, 20)), 0);
}

void TestDecorative::scaleStretchesUpright()
{
    QImage source(96, 96, QImage::Format_ARGB32);
    source.fill(Qt::blue);
    QPainter(&source).fillRect(0, 0, 48, 24, Qt::red);  // top-left band
    const QImage scaled = scaleToSize(source, QSizeF(48, 36));
    QCOMPARE(scaled.size(), QSize(48, 36));
    QCOMPARE(QColor(scaled.pixel(5, 3)), QColor(Qt::red));      // still at the top left
    QCOMPARE(QColor(scaled.pixel(5, 30)), QColor(Qt::blue));    // not flipped
    QCOMPARE(QColor(scaled.pixel(40, 3)), QColor(Qt::blue));    // stretched, not cropped
    QVERIFY(scaleToSize(QImage(), QSizeF(48, 36)).isNull());
}

void TestDecorative::bannerPatternFillsItsHeight_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("phone") << int(Device::Kind::Phone) << "titleBack.png";
    QTest::newRow("tablet") << int(Device::Kind::Tablet) << "titleBackIPad.png";
}

// The banner's picture reaches its bottom edge: the tablet's banner (90 points) is higher than
// its picture (66), and a tiled picture showed its top band again under the title.
void TestDecorative::bannerPatternFillsItsHeight()
{
    QFETCH(int, kind);
    QFETCH(QString, pattern);
    Device::setKind(Device::Kind(kind));
    const auto reset = qScopeGuard([] { Device::setKind(Device::Kind::Phone); });
    BannerView banner;
    banner.setContentView(new QWidget); // the picture without the house banner's text
    banner.contentView()->setAttribute(Qt::WA_NoSystemBackground);
    const QImage drawn = render(&banner);
    const QImage picture = Bundle::imageNamed(pattern);
    const auto close = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) < 30;
    };
    const QRgb bottom = picture.pixel(picture.width() / 2, picture.height() - 1);
    const QRgb top = picture.pixel(picture.width() / 2, 0);
    QVERIFY(!close(top, bottom));
    QVERIFY2(close(drawn.pixel(drawn.width() / 2, drawn.height() - 1), bottom),
             qPrintable(QColor(drawn.pixel(drawn.width() / 2, drawn.height() - 1)).name()));
}

QTEST_MAIN(TestDecorative)
#include "tst_decorative.moc"
