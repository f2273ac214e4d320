// The drawn slider and segmented control are Qt's own controls underneath: keys move them,
// readers see Qt's slider and radio buttons named as on screen, and only the user's changes
// are reported to the screens, each once.
#include "platform/ui/Label.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QSignalSpy>
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

class TestChoiceControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sliderMovesByKeysAndReaders()
    {
        QWidget window;
        auto* label = new Label(&window);
        label->setText(QStringLiteral("Pages to scan:"));
        label->setGeometry(10, 10, 120, 34);
        auto* slider = new Slider(&window);
        slider->setGeometry(140, 10, 200, 34);
        slider->setMinimumValue(1);
        slider->setMaximumValue(20);
        slider->setValue(5);
        slider->setPageStep(5);
        window.resize(360, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy moved(slider, &Slider::valueChanged);
        QSignalSpy ended(slider, &Slider::valueChangeEnded);

        slider->setValue(7.4f); // by code: whole, and not reported
        QCOMPARE(slider->value(), 7.0f);
        QCOMPARE(moved.size() + ended.size(), 0);

        // The wheel is the screen's, to scroll it: the slider lets it pass.
        QWheelEvent wheel(QPointF(100, 17), slider->mapToGlobal(QPointF(100, 17)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &wheel);
        QVERIFY(!wheel.isAccepted());
        QCOMPARE(slider->value(), 7.0f);

        // A held key moves it at every repeat and finishes once, when let go.
        slider->setFocus(Qt::TabFocusReason);
        QTest::keyPress(slider, Qt::Key_Right);
        for (int i = 0; i < 2; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(slider, &repeat);
        }
        QCOMPARE(slider->value(), 10.0f);
        QCOMPARE(moved.size(), 3);
        QCOMPARE(ended.size(), 0);
        QTest::keyRelease(slider, Qt::Key_Right);
        QCOMPARE(ended.size(), 1);
        const QList<std::pair<Qt::Key, float>> keys{
            {Qt::Key_PageUp, 15}, {Qt::Key_End, 20}, {Qt::Key_Up, 20}, {Qt::Key_Home, 1}, {Qt::Key_Left, 1}};
        for (const auto& [key, expected] : keys) {
            QTest::keyClick(slider, key);
            QCOMPARE(slider->value(), expected);
        }
        QCOMPARE(ended.size(), 4); // the two keys at an end moved nothing

        // A reader sees Qt's slider, named by the label, and a value it sets is a finished change.
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(slider);
        QCOMPARE(node->role(), QAccessible::Slider);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("Pages to scan"));
        QAccessibleValueInterface* value = node->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->maximumValue().toInt(), 20);
        moved.clear();
        ended.clear();
        value->setCurrentValue(12);
        QCOMPARE(slider->value(), 12.0f);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("12"));
    }

    void segmentsChosenByTapsKeysAndReaders()
    {
        QWidget window;
        auto* label = new Label(&window);
        label->setText(QStringLiteral("Order by:"));
        label->setGeometry(10, 10, 280, 20);
        auto* order = new SegmentedControl({QStringLiteral("Date"), QStringLiteral("Size"), QStringLiteral("S & L")}, &window);
        order->setGeometry(10, 36, 300, 30);
        order->setSelectedSegmentIndex(1);
        auto* field = new QLineEdit(&window);
        field->setGeometry(10, 70, 300, 24);
        window.resize(320, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy chosen(order, &SegmentedControl::valueChanged);

        // Readers see the group, named by its label, of radio buttons named by the titles.
        QAccessibleInterface* group = QAccessible::queryAccessibleInterface(order);
        QCOMPARE(group->text(QAccessible::Name), QStringLiteral("Order by"));
        QStringList names;
        for (int i = 0; i < group->childCount(); ++i) {
            QAccessibleInterface* child = group->child(i);
            QCOMPARE(child->role(), QAccessible::RadioButton);
            QCOMPARE(bool(child->state().checked), i == 1);
            names << child->text(QAccessible::Name);
        }
        QCOMPARE(names, (QStringList{"Date", "Size", "S & L"}));

        // A tap chooses; a tap on the chosen one reports nothing.
        QTest::mouseClick(&window, Qt::LeftButton, {}, order->geometry().topLeft() + QPoint(20, 15));
        QTest::mouseClick(order, Qt::LeftButton, {}, QPoint(20, 15));
        QCOMPARE(order->selectedSegmentIndex(), 0);
        QCOMPARE(chosen.size(), 1);

        // Tab enters at the chosen segment; the arrows move the choice, each move reported.
        order->tapSegment(1);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (!QApplication::focusWidget())
            QTest::keyClick(&window, Qt::Key_Tab);
        QWidget* entered = QApplication::focusWidget();
        QVERIFY(entered && entered->parentWidget() == order);
        QCOMPARE(static_cast<QAbstractButton*>(entered)->isChecked(), true);
        QTest::keyClick(entered, Qt::Key_Left);
        QCOMPARE(order->selectedSegmentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(order->selectedSegmentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(order->selectedSegmentIndex(), 2);
        QCOMPARE(chosen.size(), 5);
        QCOMPARE(chosen.last().first().toInt(), 2);
        // Tab and Shift+Tab from elsewhere come back to the chosen segment.
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            field->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(field, key);
            QWidget* back = QApplication::focusWidget();
            QVERIFY(back && back->parentWidget() == order && static_cast<QAbstractButton*>(back)->isChecked());
        }

        // A reader's press chooses as a tap does.
        QAccessibleInterface* date = group->child(0);
        date->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(order->selectedSegmentIndex(), 0);
        QCOMPARE(chosen.size(), 6);

        // The screens' own choices are not reported; a segment put before the chosen one
        // keeps the choice on the same title; no segment can be chosen.
        order->setSelectedSegmentIndex(2);
        order->insertSegmentWithTitle(QStringLiteral("Name"), 0);
        QCOMPARE(order->titleForSegmentAtIndex(order->selectedSegmentIndex()), QStringLiteral("S & L"));
        order->setSelectedSegmentIndex(SegmentedControl::kNoSegment);
        QCOMPARE(order->selectedSegmentIndex(), SegmentedControl::kNoSegment);
        QCOMPARE(chosen.size(), 6);
    }
};

QTEST_MAIN(TestChoiceControls)
#include "tst_choicecontrols.moc"
