// The drawn slider and segmented control are Qt's own controls underneath: keys move them,
// readers see Qt's slider and radio buttons named as on screen, and only the user's changes
// are reported to the screens, each once.
#include "platform/ui/Label.h"
#include "platform/ui/Slider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>

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
};

QTEST_MAIN(TestChoiceControls)
#include "tst_choicecontrols.moc"
