// The window as a desktop user meets it: Ctrl+Q and the close button end the event loop (the
// application then shuts down in order); no on-screen keyboard is announced for a focused
// field on a desktop, while a simulated input panel is.
#include "app/LogoutViewController.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestWindow : public QObject
{
    Q_OBJECT

private:
    // Runs the event loop until something ends it; a loop nobody ends comes back with 1.
    static int runLoop(const std::function<void()>& action)
    {
        QTimer::singleShot(0, qApp, action);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(20000);
        return QCoreApplication::exec();
    }

private Q_SLOTS:
    void quitKeyAndCloseButtonEndTheLoop_data()
    {
        QTest::addColumn<bool>("useKey");
        QTest::newRow("Ctrl+Q") << true;
        QTest::newRow("close button") << false;
    }

    void quitKeyAndCloseButtonEndTheLoop()
    {
        QFETCH(bool, useKey);
        Window window;
        window.makeKeyAndVisible();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const int status = runLoop([&] {
            if (useKey)
                QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
            else
                window.close();
        });
        QCOMPARE(status, 0);
    }

    void windowCarriesTheIcon()
    {
        Window window;
        const QIcon icon = window.windowIcon();
        QVERIFY(!icon.isNull());
        const QImage picture = icon.pixmap(48, 48).toImage();
        QCOMPARE(picture.size(), QSize(48, 48));
        QVERIFY(qAlpha(picture.pixel(24, 24)) == 255); // drawn, not an empty square
    }

    // The log-out screen's debug line is off unless asked for.
    void logoutSaysNothing()
    {
        static QStringList heard;
        heard.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
            heard.append(m);
        });
        LogoutViewController logout;
        logout.beginAppearance(true, false);
        logout.endAppearance(false);
        qInstallMessageHandler(previous);
        QCOMPARE(heard, QStringList());
    }

    void keyboardOnlyWithAnInputPanel()
    {
        Window window;
        auto* field = new TextField(&window);
        auto* other = new TextField(&window);
        window.makeKeyAndVisible();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        KeyboardNotifier* keyboard = KeyboardNotifier::instance();
        QSignalSpy shown(keyboard, &KeyboardNotifier::keyboardWasShown);
        QSignalSpy hidden(keyboard, &KeyboardNotifier::keyboardWasHidden);

        field->becomeFirstResponder();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!keyboard->isKeyboardVisible());
        QCOMPARE(shown.count(), 0);

        keyboard->setSimulatedPanelHeight(216);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.constFirst().constFirst().toRect().height(), 216);
        other->becomeFirstResponder(); // moving on keeps the panel up
        QTRY_VERIFY(other->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(hidden.count(), 0);
        other->resignFirstResponder();
        QTRY_COMPARE(hidden.count(), 1);
        keyboard->setSimulatedPanelHeight(0);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
