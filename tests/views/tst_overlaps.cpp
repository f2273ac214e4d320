// The widest values a list shows, drawn on every layout: no text's box may cross another's or
// a picture's, none may leave the row or the header, and a row's counts end near its end on a
// wide screen too. Each case also saves its picture.
#include "platform/ui/Device.h"
#include "platform/ui/Label.h"
#include "platform/ui/Button.h"
#include "views/FlatTableViewCellView.h"
#include "views/FriendItemTableViewCell.h"
#include "platform/ui/GraphicsContext.h"
#include "views/HeaderView.h"
#include "views/NoticeItemView.h"
#include "views/UIUnderlinedLabel.h"
#include "views/TorrentItemTableViewCell.h"
#include "views/TorrentSnatchItemTableViewCell.h"

#include "TestPictures.h"

#include <QFontMetricsF>
#include <QTest>

namespace {
const QString kLongName = QStringLiteral(
    "Some.Very.Long.Torrent.Name.With.Many.Parts.2012.1080p.BluRay.x264.DTS-GROUP and more");

QImage picture(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image;
}

// Every pair of boxes that cross, and every box outside the width, as one message.
QString faults(const QList<FlatTableViewCell::Placed>& placed, double width)
{
    QStringList found;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const QRectF& box = placed[i].box;
        if (box.left() < 0 || box.right() > width + 0.01 || box.top() < 0)
            found.append(QStringLiteral("%1 leaves the row (%2..%3 of %4)")
                             .arg(placed[i].what).arg(box.left()).arg(box.right()).arg(width));
        for (qsizetype j = i + 1; j < placed.size(); ++j) {
            if (box.intersects(placed[j].box))
                found.append(placed[i].what + QStringLiteral(" crosses ") + placed[j].what);
        }
    }
    return found.join(QStringLiteral("; "));
}

void setLayout(const QString& name)
{
    Device::Kind kind = Device::Kind::Phone;
    QVERIFY(Device::kindFromName(name, &kind));
    Device::setKind(kind);
}
} // namespace

class TestOverlaps : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Device::setKind(Device::Kind::Phone); }
    void rows_data();
    void rows();
    void header_data();
    void header();
    void notice_data();
    void notice();
};

void TestOverlaps::rows_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("values");
    const QStringList layouts{QStringLiteral("phone"), QStringLiteral("phone-568"), QStringLiteral("tablet")};
    // torrent: name, sub-category, size, seeders, leechers, wait (and the sent mark);
    // snatch: name, active, ratio, size, uploaded, downloaded; friend: name, type, date.
    const QList<std::pair<const char*, QStringList>> cases{
        {"torrent, widest", {kLongName, QStringLiteral("Movies/Documentary HD"), QStringLiteral("9,999.99 MB"),
                             QStringLiteral("99999"), QStringLiteral("99999"), QString()}},
        {"torrent, reported", {kLongName, QStringLiteral("TV/Episodes"), QStringLiteral("2,333.06 MB"),
                               QStringLiteral("1165"), QStringLiteral("2480"), QString()}},
        {"torrent, wait", {kLongName, QStringLiteral("Movies/Documentary HD"), QStringLiteral("9,999.99 MB"),
                           QStringLiteral("99999"), QStringLiteral("99999"), QStringLiteral("48h")}},
        {"snatch, widest", {kLongName, QStringLiteral("Active:Yes"), QStringLiteral("Ratio:999.99"),
                            QStringLiteral("Size:9,999.99 MB"), QStringLiteral("9,999.99 MB"), QStringLiteral("9,999.99 MB")}},
        {"snatch, reported", {kLongName, QStringLiteral("Active:No"), QStringLiteral("Ratio:2.93"),
                              QStringLiteral("Size:5,223.95 MB"), QStringLiteral("6,529.94 MB"), QStringLiteral("5,223.95 MB")}},
        {"friend", {QStringLiteral("AVeryLongMemberNameIndeed2012"), QStringLiteral("Power User"),
                    QStringLiteral("2012-12-31 23:59:59")}},
    };
    for (const QString& layout : layouts)
        for (const auto& [name, values] : cases)
            QTest::addRow("%s, %s", qPrintable(layout), name)
                << layout << QString::fromLatin1(name).section(QLatin1Char(','), 0, 0) << values;
}

void TestOverlaps::rows()
{
    QFETCH(QString, layout);
    QFETCH(QString, kind);
    QFETCH(QStringList, values);
    setLayout(layout);
    const int width = Device::screenBounds().width();
    const QRect frame(0, 0, width, 37);
    std::unique_ptr<FlatTableViewCell> cell;
    if (kind == QLatin1String("torrent")) {
        auto* row = new TorrentItemTableViewCell(frame, QStringLiteral("TorrentCell"));
        row->setNameLbl(values[0]);
        row->setSubLbl(values[1]);
        row->setSizeLbl(values[2]);
        row->setUpLbl(values[3]);
        row->setDownLbl(values[4]);
        row->setWaitLbl(values[5]);
        row->setTypeImg(picture(QSize(33, 33)));
        row->setUpImg(picture(QSize(10, 10)));
        row->setDownImg(picture(QSize(10, 10)));
        row->setDownloadedImg(picture(QSize(24, 19)));
        cell.reset(row);
    } else if (kind == QLatin1String("snatch")) {
        auto* row = new TorrentSnatchItemTableViewCell(frame, QStringLiteral("TorrentCell"));
        row->setNameLbl(values[0]);
        row->setActiveLbl(values[1]);
        row->setRatioLbl(values[2]);
        row->setSizeLbl(values[3]);
        row->setUpLbl(values[4]);
        row->setDownLbl(values[5]);
        row->setUpImg(picture(QSize(10, 10)));
        row->setDownImg(picture(QSize(10, 10)));
        cell.reset(row);
    } else {
        auto* row = new FriendItemTableViewCell(frame, QStringLiteral("FriendCell"));
        row->setNameLbl(values[0]);
        row->setTypeLbl(values[1]);
        row->setDateLbl(values[2]);
        row->setAvatarImg(picture(QSize(48, 36)));
        cell.reset(row);
    }
    const QImage image = cell->contentView()->grab().toImage();
    image.save(testPicturePath(QStringLiteral("overlaps-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()))
                                   .replace(QLatin1String(", "), QLatin1String("-"))));
    const QList<FlatTableViewCell::Placed> placed = cell->placedItems();
    QVERIFY(placed.size() >= 4);
    const QString found = faults(placed, width);
    QVERIFY2(found.isEmpty(), qPrintable(found));
    // On every width the counts end near the row's end (where the download button follows),
    // not at the phone's place on the left of a tablet's row.
    for (const FlatTableViewCell::Placed& item : placed) {
        if (item.what == QLatin1String("down arrow"))
            QVERIFY2(item.box.right() >= width - 50, qPrintable(QStringLiteral("ends at %1 of %2").arg(item.box.right()).arg(width)));
    }
}

void TestOverlaps::header_data()
{
    QTest::addColumn<QString>("layout");
    for (const char* layout : {"phone", "phone-568", "tablet"})
        QTest::newRow(layout) << QString::fromLatin1(layout);
}

void TestOverlaps::header()
{
    QFETCH(QString, layout);
    setLayout(layout);
    HeaderView header;
    header.resize(Device::screenBounds().width(), HeaderView::kHeight);
    header.ratioLbl()->setText(QStringLiteral("999.99"));
    header.upLbl()->setText(QStringLiteral("9,999.99 GB"));
    header.downLbl()->setText(QStringLiteral("9,999.99 GB"));
    const QString longName = QStringLiteral("Maximilian_Wolfgang_Hohenzollern_von_Brandenburg_der_Dritte");
    header.usernameLbl()->setTitle(longName);
    // The list screens show the settings button; the search screen its search button instead.
    header.searchBtn()->setHidden(true);
    header.settingsBtn()->setHidden(false);
    header.grab().save(testPicturePath(QStringLiteral("overlaps-header-%1.png").arg(layout)));

    // Each label's text in the size it is drawn at must fit the label, and no label or
    // shown button may cross another or leave the header's drawn band.
    QList<FlatTableViewCell::Placed> placed;
    for (Label* label : header.findChildren<Label*>()) {
        QFont font = label->font();
        if (label->adjustsFontSizeToFitWidth())
            font = FlatTableViewCell::fittingFont(label->text(), font, label->width(), label->minimumFontSize());
        const double textWidth = QFontMetricsF(font).horizontalAdvance(label->text());
        QVERIFY2(textWidth <= label->width() + 0.01,
                 qPrintable(QStringLiteral("%1 is cut: %2 in %3").arg(label->objectName()).arg(textWidth).arg(label->width())));
        // With the tablet's room, the figures keep their full size.
        if (layout == QLatin1String("tablet"))
            QVERIFY2(font.pointSizeF() == label->font().pointSizeF(), qPrintable(label->objectName()));
        placed.append({label->objectName(), QRectF(label->geometry())});
    }
    for (Button* button : header.findChildren<Button*>()) {
        if (!button->isHidden())
            placed.append({button->objectName(), QRectF(button->geometry())});
    }
    // A long user name ends in "…" inside its button, underlined no further.
    UIUnderlinedLabel* name = header.usernameLbl();
    QVERIFY(name->shownTitle().endsWith(QChar(0x2026)));
    QVERIFY(QFontMetricsF(name->titleFont()).horizontalAdvance(name->shownTitle()) <= name->width() + 0.01);
    QVERIFY(name->underline().length() <= name->width());
    const QImage drawn = name->grab().toImage();
    const int lineY = int(name->underline().y1());
    QVERIFY(drawn.pixelColor(name->width() / 2, lineY).lightness() > 200); // the underline is drawn
    QCOMPARE(name->text(), longName);
    QVERIFY(placed.size() >= 9);
    const QString found = faults(placed, header.width());
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

void TestOverlaps::notice_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("button");
    for (const char* layout : {"phone", "phone-568", "tablet"}) {
        QTest::addRow("%s, with a button", layout) << QString::fromLatin1(layout) << QStringLiteral("Add a filter");
        QTest::addRow("%s, without", layout) << QString::fromLatin1(layout) << QString();
    }
}

// A list's notice shows its whole message, however long, above its button: the row grows.
void TestOverlaps::notice()
{
    QFETCH(QString, layout);
    QFETCH(QString, button);
    setLayout(layout);
    const QString message = QStringLiteral(
        "You have no favourite filters yet. Add one, and the recent torrents whose names match it are shown here.");
    NoticeItemView notice;
    notice.resize(Device::screenBounds().width(), NoticeItemView::kHeight);
    notice.setNotice(message, button);
    QCOMPARE(notice.height(), NoticeItemView::heightFor(message, button, notice.width()));
    notice.grab().save(testPicturePath(QStringLiteral("overlaps-notice-%1%2.png").arg(layout, button.isEmpty() ? "" : "-button")));

    Label* text = notice.messageLbl();
    const QSizeF needed = GraphicsContext::sizeWithFont(message, text->font(), QSizeF(text->width(), 0), LineBreakMode::WordWrap);
    QVERIFY2(needed.height() <= text->height() + 0.01,
             qPrintable(QStringLiteral("the message is cut: %1 of %2 high").arg(text->height()).arg(needed.height())));
    QList<FlatTableViewCell::Placed> placed{{QStringLiteral("message"), QRectF(text->geometry())}};
    if (!button.isEmpty())
        placed.append({QStringLiteral("button"), QRectF(notice.actionBtn()->geometry())});
    for (const FlatTableViewCell::Placed& box : placed)
        QVERIFY2(box.box.bottom() <= notice.height(), qPrintable(box.what + QStringLiteral(" leaves the notice")));
    const QString found = faults(placed, notice.width());
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

QTEST_MAIN(TestOverlaps)
#include "tst_overlaps.moc"
