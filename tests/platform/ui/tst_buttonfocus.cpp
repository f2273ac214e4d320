// The drawn buttons by keyboard: Tab reaches them (a tap does not take the focus from a text
// field), Space and Return press them once, and the ring shows only for keyboard focus.
#include "platform/ui/BackButton.h"
#include "platform/ui/Button.h"
#include "platform/ui/KeyboardFocus.h"
#include "platform/ui/Label.h"
#include "platform/ui/Switch.h"

#include <QAccessible>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class ButtonFocusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabReachesButtonsAndKeysPressThem()
    {
        QWidget window;
        auto* field = new QLineEdit(&window);
        auto* button = new Button(Button::Type::RoundedRect);
        button->setTitle(QStringLiteral("Test settings"));
        auto* back = new BackButton;
        back->setText(QStringLiteral("Settings"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(button);
        layout->addWidget(back);
        window.resize(320, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QSignalSpy down(button, &Button::touchDown);
        QSignalSpy tapped(button, &Button::touchUpInside);
        QSignalSpy outside(button, &Button::touchUpOutside);
        QSignalSpy backClicked(back, &QAbstractButton::clicked);

        // A tap presses the button and leaves the focus in the field being typed in.
        field->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(tapped.size(), 1);
        QVERIFY(field->hasFocus());
        const auto outsideBefore = outside.size();

        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        QVERIFY(KeyboardFocus::showsRing(button));
        // The pointer is nowhere near: a key press still ends inside.
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(down.size(), 4);
        QCOMPARE(tapped.size(), 4);
        QCOMPARE(outside.size(), outsideBefore);

        QTest::keyClick(button, Qt::Key_Tab);
        QVERIFY(back->hasFocus());
        QVERIFY(!KeyboardFocus::showsRing(button));
        QVERIFY(KeyboardFocus::showsRing(back));
        QTest::keyClick(back, Qt::Key_Return);
        QCOMPARE(backClicked.size(), 1);

        // Focus given by code (a window coming back, a screen's own choice) shows no ring.
        button->setFocus(Qt::OtherFocusReason);
        QVERIFY(button->hasFocus());
        QVERIFY(!KeyboardFocus::showsRing(button));
    }

    // The ring is drawn where the button is: the keyboard-focused picture differs from the
    // plain one at the edge and nowhere else matters.
    void ringIsDrawnOnlyForKeyboardFocus()
    {
        QWidget window;
        auto* field = new QLineEdit(&window);
        auto* button = new Button(Button::Type::RoundedRect);
        button->setTitle(QStringLiteral("Add"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(button);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        const QImage plain = button->grab().toImage();
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        const QImage ringed = button->grab().toImage();
        QVERIFY(plain != ringed);
        const QColor edge = ringed.pixelColor(ringed.width() / 2, 1);
        const QColor highlight = button->palette().color(QPalette::Highlight);
        QVERIFY2(std::abs(edge.blue() - highlight.blue()) < 60 && std::abs(edge.red() - highlight.red()) < 60,
                 qPrintable(edge.name()));
        field->setFocus();
        button->setFocus(Qt::MouseFocusReason);
        QVERIFY(button->hasFocus());
        QCOMPARE(button->grab().toImage(), plain);
    }

    // The switch is a checkable button: readers see a check box named by its label, taps,
    // Space and the reader's toggle turn it over and report it; a setting by code does not.
    void switchIsACheckBoxNamedByItsLabel()
    {
        QWidget window;
        auto* label = new Label(&window);
        label->setText(QStringLiteral("Automatic login:"));
        label->setGeometry(10, 10, 150, 31);
        auto* control = new Switch(&window);
        control->move(170, 10);
        window.resize(320, 60);
        window.show();
        QSignalSpy changed(control, &Switch::valueChanged);

        QAccessibleInterface* check = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(check->role(), QAccessible::CheckBox);
        QCOMPARE(check->text(QAccessible::Name), QStringLiteral("Automatic login"));
        QVERIFY(!check->state().checked);

        QTest::mouseClick(control, Qt::LeftButton);
        QTest::keyClick(control, Qt::Key_Space);
        check->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(changed.size(), 3);
        QCOMPARE(changed.last().first().toBool(), true);
        QVERIFY(control->isOn());
        QVERIFY(check->state().checked);

        control->setOn(false);
        QVERIFY(!control->isOn());
        QCOMPARE(changed.size(), 3);
        control->setEnabled(false);
        control->toggle();
        QVERIFY(!control->isOn());
    }

    // Readers get Qt's own button interface: named by the title or, for the info button, by
    // what it opens; a reader's press is a whole tap, touchDown included (list rows act on it).
    void readerPressIsAWholeTap()
    {
        QWidget window;
        auto* download = new Button(Button::Type::Custom, &window);
        download->setTitle(QStringLiteral("Save & send"));
        download->setGeometry(10, 10, 120, 40);
        auto* info = new Button(Button::Type::InfoLight, &window);
        info->move(200, 20);
        window.resize(320, 70);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy down(download, &Button::touchDown);
        QSignalSpy inside(download, &Button::touchUpInside);
        QSignalSpy outside(download, &Button::touchUpOutside);

        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(download);
        QCOMPARE(node->role(), QAccessible::Button);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("Save & send"));
        QCOMPARE(QAccessible::queryAccessibleInterface(info)->text(QAccessible::Name), QStringLiteral("About iTarnvale"));

        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(inside.size(), 1);
        QCOMPARE(down.size(), 1);
        QCOMPARE(outside.size(), 0);

        // A tap is still a tap, a press taken off the button ends outside.
        QTest::mouseClick(download, Qt::LeftButton);
        QCOMPARE(down.size(), 2);
        QCOMPARE(inside.size(), 2);
        QTest::mousePress(download, Qt::LeftButton);
        QTest::mouseRelease(download, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(down.size(), 3);
        QCOMPARE(inside.size(), 2);
        QCOMPARE(outside.size(), 1);
    }
};

QTEST_MAIN(ButtonFocusTest)
#include "tst_buttonfocus.moc"
