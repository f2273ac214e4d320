// The window as a desktop user meets it: Ctrl+Q and the close button end the event loop (the
// application then shuts down in order); no on-screen keyboard is announced for a focused
// field on a desktop, while a simulated input panel is; the zoom keys scale the window and
// the zoom is kept for the next run.
#include "platform/core/SettingsStore.h"
#include "platform/ui/Device.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WidgetEffect.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowZoom.h"
#include "screens/login/LogoutViewController.h"

#include "TestPictures.h"

#include <QApplication>
#include <QBackingStore>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPointingDevice>
#include <QPushButton>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

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

    QTemporaryDir m_folder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
    }

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

    // The window stays phone-sized in points and is drawn larger; the next window (the next
    // run) starts at the zoom the user left, and Ctrl+0 goes back to one to one.
    void zoomScalesTheWindowAndIsRemembered()
    {
        const auto stored = [this] {
            return SettingsStore(m_folder.filePath(QStringLiteral("settings.ini")))
                .integerForKey(QLatin1String(WindowZoom::kSettingsKey));
        };
        {
            Window window;
            window.makeKeyAndVisible();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QCOMPARE(window.devicePixelRatioF(), 1.0);
            QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
            QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(window.zoom()->percent(), 125);
            QTRY_COMPARE(window.devicePixelRatioF(), 1.25);
            QCOMPARE(window.size(), Device::screenBounds().size());
            QCOMPARE(window.grab().size(), Device::screenBounds().size() * 1.25);
        }
        QCOMPARE(stored(), 125);
        {
            Window again;
            again.makeKeyAndVisible();
            again.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&again));
            QCOMPARE(again.zoom()->percent(), 125);
            QTRY_COMPARE(again.devicePixelRatioF(), 1.25);
            QTest::keyClick(&again, Qt::Key_Minus, Qt::ControlModifier);
            // Qt keeps the scale in fixed point: 1.1 comes back as 1.09999.
            QTRY_VERIFY(qAbs(again.devicePixelRatioF() - 1.1) < 0.001);
            QTest::keyClick(&again, Qt::Key_0, Qt::ControlModifier);
            QTRY_COMPARE(again.devicePixelRatioF(), 1.0);
        }
        QCOMPARE(stored(), 100);
    }

    // Every zoom the keys reach draws the whole window at that scale: what stands on the
    // screen for the window (its backing store, or its frame's below one pixel a point)
    // shows the top, the rows and the bar along the bottom edge scaled together.
    void everyZoomDrawsTheWholeWindow()
    {
        // A zoom kept from the last run: the window starts at it.
        SettingsStore::standard().setInteger(QLatin1String(WindowZoom::kSettingsKey), 50);
        Window window;
        auto* content = new QWidget(&window);
        content->setGeometry(window.rect());
        content->setAutoFillBackground(true);
        content->setPalette(QPalette(Qt::red));
        auto* bar = new QWidget(content); // where the tab bar stands
        bar->setGeometry(0, window.height() - 49, window.width(), 49);
        bar->setAutoFillBackground(true);
        bar->setPalette(QPalette(Qt::blue));
        window.makeKeyAndVisible();
        QVERIFY(QTest::qWaitForWindowExposed(window.zoom()->shownWindow()));

        const auto drawnWhole = [&](int percent) {
            QWidget* onScreen = window.zoom()->shownWindow();
            if (!onScreen->isVisible() || !onScreen->backingStore())
                return false;
            const QImage* shown = static_cast<QImage*>(onScreen->backingStore()->paintDevice());
            const qreal scale = percent / 100.0;
            if (!shown || shown->size() != (QSizeF(window.size()) * scale).toSize())
                return false;
            const QImage picture = shown->convertToFormat(QImage::Format_RGB32);
            // The bar's top edge sits where the scale puts it, on every column.
            const int barTop = qRound((window.height() - 49) * scale);
            for (int x : {0, picture.width() / 2, picture.width() - 1}) {
                if (picture.pixel(x, 0) != qRgb(255, 0, 0) || picture.pixel(x, barTop - 2) != qRgb(255, 0, 0)
                    || picture.pixel(x, barTop + 2) != qRgb(0, 0, 255)
                    || picture.pixel(x, picture.height() - 1) != qRgb(0, 0, 255))
                    return false;
            }
            return true;
        };
        QCOMPARE(window.zoom()->percent(), 50);
        QTRY_VERIFY(drawnWhole(50));
        for (int wanted : {67, 90, 100, 150, 300, 80}) {
            const Qt::Key key = wanted < window.zoom()->percent() ? Qt::Key_Minus : Qt::Key_Equal;
            for (int i = 0; i < WindowZoom::steps().size() && window.zoom()->percent() != wanted; ++i) {
                // The keys go to what stands on the screen, the frame or the window.
                QVERIFY(QTest::qWaitForWindowActive(window.zoom()->shownWindow()));
                QTest::keyClick(window.zoom()->shownWindow(), key, Qt::ControlModifier);
            }
            const int percent = window.zoom()->percent();
            // Zooming in stops where the window would no longer fit the screen.
            QVERIFY2(percent == wanted || wanted > percent,
                     qPrintable(QStringLiteral("%1 % gave %2 %").arg(wanted).arg(percent)));
            window.update();
            QTRY_VERIFY2(drawnWhole(percent), qPrintable(QStringLiteral("at %1 %").arg(percent)));
            saveTestPicture(*static_cast<QImage*>(window.zoom()->shownWindow()->backingStore()->paintDevice()),
                            QStringLiteral("window-zoom-%1.png").arg(percent));
        }
        window.zoom()->resetZoom();
    }

    // Zoomed out, the window works as at full size: a click or a tap lands on what is drawn
    // under it, keys reach the focused field, the zoom keys still answer, and the window comes
    // back on its own at 100 % with what was typed.
    void zoomedOutWindowTakesClicksAndKeys()
    {
        SettingsStore::standard().setInteger(QLatin1String(WindowZoom::kSettingsKey), 50);
        Window window;
        auto* field = new QLineEdit(&window);
        field->setGeometry(20, 100, 200, 30);
        auto* button = new QPushButton(QStringLiteral("Go"), &window);
        button->setGeometry(20, 400, 100, 40);
        QSignalSpy clicks(button, &QPushButton::clicked);
        window.makeKeyAndVisible();
        QWidget* frame = window.zoom()->shownWindow();
        QVERIFY(frame != &window);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QVERIFY(window.isVisible());

        const auto scaled = [](QPoint point) { return point / 2; };
        auto* surface = static_cast<QGraphicsView*>(frame)->viewport();
        QTest::mouseClick(surface, Qt::LeftButton, {}, scaled(QPoint(40, 115)));
        QTRY_VERIFY(field->hasFocus());
        const auto onScreen = [frame] {
            return static_cast<QImage*>(frame->backingStore()->paintDevice())->copy();
        };
        const QImage before = onScreen();
        QTest::keyClicks(frame, QStringLiteral("abc"));
        QCOMPARE(field->text(), QStringLiteral("abc"));
        // What the window paints reaches the screen: the frame is no still picture.
        QTRY_VERIFY(onScreen() != before);
        // Where the field was drawn at full size, the zoomed window has nothing.
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(70, 420));
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(surface, Qt::LeftButton, {}, scaled(QPoint(70, 420)));
        QCOMPARE(clicks.count(), 1);

        // A finger's tap reaches the button as well.
        const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
        QTest::touchEvent(surface, touchScreen.get()).press(0, scaled(QPoint(70, 420)));
        QTest::touchEvent(surface, touchScreen.get()).release(0, scaled(QPoint(70, 420)));
        QTRY_COMPARE(clicks.count(), 2);

        QTest::keyClick(frame, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(window.zoom()->percent(), 100);
        QCOMPARE(window.zoom()->shownWindow(), &window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(field->text(), QStringLiteral("abc"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 3);
    }

    // Zoomed out, a faded widget (a picker's outer rows, the loading box) is drawn faded at its
    // scaled place and still cut where its parent ends. Qt's own opacity effect drew nothing
    // there: it clipped to the widget's unscaled place.
    void fadedWidgetsDrawZoomedOut()
    {
        SettingsStore::standard().setInteger(QLatin1String(WindowZoom::kSettingsKey), 50);
        Window window;
        auto* holder = new QWidget(&window); // a picker's clip
        holder->setGeometry(0, 200, 320, 100);
        holder->setAutoFillBackground(true);
        holder->setPalette(QPalette(Qt::red));
        auto* row = new QWidget(holder); // a row half past the clip's lower edge
        row->setGeometry(0, 50, 320, 100);
        row->setAutoFillBackground(true);
        row->setPalette(QPalette(Qt::blue));
        auto* fade = new WidgetEffect(row);
        fade->setOpacity(0.5);
        row->setGraphicsEffect(fade);
        window.makeKeyAndVisible();
        QWidget* frame = window.zoom()->shownWindow();
        QVERIFY(QTest::qWaitForWindowExposed(frame));

        const auto colourAt = [frame](QPoint inWindow) {
            const QImage* shown = static_cast<QImage*>(frame->backingStore()->paintDevice());
            return shown ? QColor(shown->pixel(inWindow / 2)) : QColor();
        };
        // Half blue over red inside the clip; the window's black below it.
        QTRY_VERIFY(qAbs(colourAt(QPoint(160, 275)).red() - 128) < 8 && qAbs(colourAt(QPoint(160, 275)).blue() - 127) < 8);
        QCOMPARE(colourAt(QPoint(160, 225)), QColor(Qt::red));
        QCOMPARE(colourAt(QPoint(160, 330)), QColor(Qt::black));
        window.zoom()->resetZoom();
    }

    // A window that goes while zoomed out (the user quits at 50 %) takes its frame with it.
    void framedWindowGoesAway()
    {
        SettingsStore::standard().setInteger(QLatin1String(WindowZoom::kSettingsKey), 50);
        const auto shownWindows = [] {
            int count = 0;
            for (QWidget* widget : QApplication::topLevelWidgets())
                count += widget->isVisible() ? 1 : 0;
            return count;
        };
        const int before = shownWindows();
        {
            Window window;
            (new QLineEdit(&window))->setFocus();
            window.makeKeyAndVisible();
            QVERIFY(window.zoom()->shownWindow() != &window);
            QVERIFY(QTest::qWaitForWindowActive(window.zoom()->shownWindow()));
        }
        QCOMPARE(shownWindows(), before);
        SettingsStore::standard().setInteger(QLatin1String(WindowZoom::kSettingsKey), 100);
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
