// Scrolling by hand and by keys: a flick (a mouse's or a finger's on a touch screen) carries a
// list on past where it let go, a drag let go still stays where it was left, the Page keys
// move a scroll view, and a flicked picker wheel comes to rest on a row and says which.
#include "platform/ui/PickerView.h"
#include "platform/ui/PickerViewDataSource.h"
#include "platform/ui/PickerViewDelegate.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScroller>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

#include <cmath>

namespace {
class Rows : public TableViewDataSource
{
public:
    int numberOfRowsInSection(TableView*, int) override { return 1000; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath&) override
    {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("Row"));
        return cell ? cell : new TableViewCell(TableViewCellStyle::Default, QStringLiteral("Row"));
    }
};

class Wheel : public PickerViewDataSource, public PickerViewDelegate
{
public:
    QList<int> chosen;
    QList<int> components;
    int count = 1;
    int numberOfComponentsInPickerView(PickerView*) override { return count; }
    int numberOfRowsInComponent(PickerView*, int) override { return 100; }
    QString titleForRow(PickerView*, int row, int) override { return QString::number(row); }
    void didSelectRow(PickerView*, int row, int component) override
    {
        chosen.append(row);
        components.append(component);
    }
};

// A finger with a clock of its own: every event it sends carries the time it stands for, so
// the scroller reads the finger's speed from those times, whatever the machine is doing, and
// the test waits for nothing but the scroller's own coming to rest. A mouse finger sends
// mouse events to the widget; a touch finger touches the screen through the window system,
// as a touch screen's driver does, and the widget gets what Qt makes of the touches.
class Finger
{
public:
    enum class Kind { Mouse, Touch };

    explicit Finger(QWidget* widget, Kind kind = Kind::Mouse)
        : m_widget(widget)
        , m_kind(kind)
    {
    }

    // The touch screen the touch fingers use, made once; the test removes it at its end.
    static QPointingDevice* touchScreen()
    {
        if (!s_touchScreen)
            s_touchScreen.reset(QTest::createTouchDevice());
        return s_touchScreen.get();
    }
    static void removeTouchScreen() { s_touchScreen.reset(); }

    void press(QPoint at) { send(QEventPoint::Pressed, at); }
    void moveTo(QPoint at, int afterMs)
    {
        s_time += quint64(afterMs);
        send(QEventPoint::Updated, at);
    }
    void release(QPoint at, int afterMs)
    {
        s_time += quint64(afterMs);
        send(QEventPoint::Released, at);
    }

    // Up the widget by `distance`, in steps a frame apart, and let go moving: a quick flick.
    void flickUp(QPoint from, int distance)
    {
        press(from);
        for (int moved = 20; moved <= distance; moved += 20)
            moveTo(from - QPoint(0, moved), 16);
        release(from - QPoint(0, distance), 1);
    }

private:
    void send(QEventPoint::State state, QPoint at)
    {
        if (m_kind == Kind::Touch) {
            touch(state, at);
            return;
        }
        switch (state) {
        case QEventPoint::Pressed: mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); break;
        case QEventPoint::Released: mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); break;
        default: mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); break;
        }
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, m_widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
        event.setTimestamp(s_time);
        QApplication::sendEvent(m_widget, &event);
    }

    void touch(QEventPoint::State state, QPoint at)
    {
        const QPointF global = m_widget->mapToGlobal(QPointF(at));
        const QRectF screen = m_widget->screen()->geometry();
        QWindowSystemInterface::TouchPoint point;
        point.id = 1;
        point.state = state;
        point.area = QRectF(global - QPointF(4, 4), QSizeF(8, 8));
        point.normalPosition = QPointF(global.x() / screen.width(), global.y() / screen.height());
        point.pressure = state == QEventPoint::Released ? 0 : 1;
        QWindowSystemInterface::handleTouchEvent<QWindowSystemInterface::SynchronousDelivery>(
            m_widget->window()->windowHandle(), s_time, touchScreen(), {point});
    }

    QWidget* m_widget;
    Kind m_kind;
    static inline quint64 s_time = 1000000; // one clock for every finger, always forward
    static inline std::unique_ptr<QPointingDevice> s_touchScreen;
};
} // namespace

class ScrollingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { Finger::removeTouchScreen(); }

    void flickCarriesTheListFurtherThanTheFinger_data()
    {
        QTest::addColumn<Finger::Kind>("kind");
        QTest::newRow("mouse") << Finger::Kind::Mouse;
        QTest::newRow("touch") << Finger::Kind::Touch;
    }

    void flickCarriesTheListFurtherThanTheFinger()
    {
        QFETCH(Finger::Kind, kind);
        Rows rows;
        TableView table;
        table.setDataSource(&rows);
        table.resize(320, 480);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        Finger finger(&table, kind);

        finger.flickUp(QPoint(160, 400), 200);
        QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
        QVERIFY2(table.contentOffset().y() > 260, qPrintable(QString::number(table.contentOffset().y())));
        // It comes to rest inside the content.
        QVERIFY(table.contentOffset().y() <= table.maximumContentOffset().y());
        QVERIFY(!table.indexPathsForVisibleRows().isEmpty());

        // A flick down past the top overshoots and springs back to the first row.
        finger.press(QPoint(160, 50));
        for (int moved = 40; moved <= 440; moved += 40)
            finger.moveTo(QPoint(160, 50 + moved), 16);
        finger.release(QPoint(160, 490), 1);
        QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
        QCOMPARE(table.contentOffset(), QPointF(0, 0));
    }

    // A drag that stops before it is let go leaves the list where the finger left it.
    void dragLetGoStillStaysPut()
    {
        Rows rows;
        TableView table;
        table.setDataSource(&rows);
        table.resize(320, 480);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        Finger finger(&table);
        finger.press(QPoint(160, 400));
        // The list follows the finger (the scroller moves it a frame at a time).
        for (int y = 390; y >= 250; y -= 10)
            finger.moveTo(QPoint(160, y), 16);
        QTRY_COMPARE(table.contentOffset(), QPointF(0, 150));
        // The finger rests before it lifts: no speed is left to carry the list on.
        finger.release(QPoint(160, 250), 300);
        QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
        QCOMPARE(table.contentOffset(), QPointF(0, 150));
    }

    void keysScrollAScrollView()
    {
        ScrollView view;
        view.resize(320, 480);
        view.setContentSize(QSizeF(320, 2000));
        view.show();
        const struct
        {
            Qt::Key key;
            double y;
        } steps[] = {{Qt::Key_Down, 40},     {Qt::Key_PageDown, 480}, {Qt::Key_Up, 440},
                     {Qt::Key_End, 1520},    {Qt::Key_PageDown, 1520}, {Qt::Key_PageUp, 1080},
                     {Qt::Key_Home, 0},      {Qt::Key_Up, 0}};
        for (const auto& step : steps) {
            QTest::keyClick(&view, step.key);
            QCOMPARE(view.contentOffset(), QPointF(0, step.y));
        }
    }

    void flickedPickerSettlesOnARow()
    {
        Wheel wheel;
        PickerView picker;
        picker.setDataSource(&wheel);
        picker.setDelegate(&wheel);
        picker.resize(320, 216);
        picker.reloadAllComponents();
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        // The finger goes up three rows' worth; the wheel spins on further.
        Finger(&picker).flickUp(QPoint(160, 190), 100);
        QTRY_COMPARE(wheel.chosen.size(), 1);
        const int row = wheel.chosen.first();
        QVERIFY2(row > 3, qPrintable(QString::number(row)));
        QCOMPARE(picker.selectedRowInComponent(0), row);
        // At rest the chosen row sits in the middle.
        QTRY_VERIFY(picker.viewForRow(row, 0));
        QWidget* view = picker.viewForRow(row, 0);
        QTRY_VERIFY(std::abs(view->mapTo(&picker, view->rect().center()).y() - picker.height() / 2) <= 1);
    }

    // Keys choose in the wheel they act on, as a turn of it does; the ends hold.
    void keysChooseInAPicker()
    {
        Wheel wheel;
        wheel.count = 2;
        PickerView picker;
        picker.setDataSource(&wheel);
        picker.setDelegate(&wheel);
        picker.reloadAllComponents();
        picker.show();
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up,
                                Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down,
                                Qt::Key_Left, Qt::Key_Home};
        for (Qt::Key key : keys)
            QTest::keyClick(&picker, key);
        QCOMPARE(wheel.chosen, (QList<int>{1, 2, 1, 0, 99, 1, 0}));
        QCOMPARE(wheel.components, (QList<int>{0, 0, 0, 0, 0, 1, 0}));
        QCOMPARE(picker.selectedRowInComponent(0), 0);
        QCOMPARE(picker.selectedRowInComponent(1), 1);
    }
};

QTEST_MAIN(ScrollingTest)
#include "tst_scrolling.moc"
