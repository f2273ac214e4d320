// The alert: shown over the window from any thread, its delegate told of the button.
#include "platform/ui/AlertBox.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>

namespace {

class Listener : public QObject, public AlertViewDelegate
{
public:
    QStringList calls;
    QList<QThread*> threads;
    void clickedButtonAtIndex(AlertView* alert, int index) override
    {
        calls.append(QStringLiteral("clicked %1 tag %2 visible %3").arg(index).arg(alert->tag()).arg(alert->isVisible() ? "true" : "false"));
        threads.append(QThread::currentThread());
    }
    void didDismissWithButtonIndex(AlertView* alert, int index) override
    {
        calls.append(QStringLiteral("dismissed %1 tag %2 visible %3").arg(index).arg(alert->tag()).arg(alert->isVisible() ? "true" : "false"));
        threads.append(QThread::currentThread());
    }
};

} // namespace

class TestAlertView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownFromWorkerAndDismissedByItsButton();
    void goneDelegateIsNotCalled();
    void focusStaysInsideUntilDismissed();
};

void TestAlertView::shownFromWorkerAndDismissedByItsButton()
{
    Window window;
    window.makeKeyAndVisible();
    Listener listener;

    QPointer<AlertView> alert;
    QThread* worker = QThread::create([&] {
        auto* a = new AlertView(QStringLiteral("Login failed."), QStringLiteral("Connection error."),
                                &listener, QStringLiteral("Cancel"));
        a->setTag(7);
        alert = a;
        a->show();
    });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;

    QTRY_COMPARE(AlertView::visibleAlerts().size(), 1);
    QCOMPARE(AlertView::visibleAlerts().first(), alert.data());
    QCOMPARE(alert->thread(), qApp->thread());
    auto* box = qobject_cast<AlertBox*>(alert->overlay());
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), &window);
    QCOMPARE(box->geometry(), window.rect());
    QVERIFY(box->boxRect().width() < window.width());

    // Modal: a screen added to the window later stays under the alert.
    auto* later = new QWidget;
    window.addSubview(later);
    QVERIFY(window.childAt(window.rect().center()) != later);

    QTest::mouseClick(box->button(), Qt::LeftButton);
    QCOMPARE(listener.calls, (QStringList{"clicked 0 tag 7 visible true"}));
    QTRY_COMPARE(listener.calls.size(), 2);
    QCOMPARE(listener.calls.at(1), QStringLiteral("dismissed 0 tag 7 visible false"));
    QCOMPARE(listener.threads, (QList<QThread*>{qApp->thread(), qApp->thread()}));
    QVERIFY(AlertView::visibleAlerts().isEmpty());
    QTRY_VERIFY(alert.isNull()); // the alert lets itself go once dismissed
}

void TestAlertView::goneDelegateIsNotCalled()
{
    Window window;
    window.makeKeyAndVisible();
    auto* listener = new Listener;
    auto* alert = new AlertView(QStringLiteral("Login error"), QStringLiteral("Stop."), listener,
                                QStringLiteral("OK"));
    alert->show();
    QTRY_VERIFY(alert->isVisible());
    delete listener;
    QPointer<AlertView> guard(alert);
    alert->dismissWithClickedButtonIndex(0, true);
    QTRY_VERIFY(guard.isNull());
}

// Tab walks the alert's buttons round and never reaches the screen under it; the keys press
// the button walked to, and Escape taps the cancel button.
void TestAlertView::focusStaysInsideUntilDismissed()
{
    Window window;
    auto* field = new QLineEdit;
    window.addSubview(field);
    window.makeKeyAndVisible();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    Listener listener;

    auto* alert = new AlertView(QStringLiteral("Remove?"), QStringLiteral("The favourite goes."), &listener,
                                QStringLiteral("Cancel"));
    alert->setOtherButtonTitle(QStringLiteral("Remove"));
    alert->show();
    QTRY_VERIFY(alert->isVisible());
    auto* box = qobject_cast<AlertBox*>(alert->overlay());
    QTRY_VERIFY(box->hasFocus());
    QPushButton* expected[] = {box->button(), box->otherButton(), box->button(), box->otherButton()};
    for (QPushButton* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), box->button());
    QVERIFY(!field->hasFocus());
    QTest::keyClick(box->button(), Qt::Key_Return);
    QCOMPARE(listener.calls, (QStringList{"clicked 0 tag 0 visible true"}));
    QTRY_COMPARE(listener.calls.size(), 2);

    // Walked to the offered button, Space presses it; Escape on another alert cancels it.
    alert = new AlertView(QStringLiteral("Remove?"), QString(), &listener, QStringLiteral("Cancel"));
    alert->setOtherButtonTitle(QStringLiteral("Remove"));
    alert->show();
    QTRY_VERIFY(alert->isVisible());
    box = qobject_cast<AlertBox*>(alert->overlay());
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), box->otherButton());
    QTest::keyClick(box->otherButton(), Qt::Key_Space);
    QCOMPARE(listener.calls.at(2), QStringLiteral("clicked 1 tag 0 visible true"));
    QTRY_COMPARE(listener.calls.size(), 4);

    alert = new AlertView(QStringLiteral("Remove?"), QString(), &listener, QStringLiteral("Cancel"));
    alert->setOtherButtonTitle(QStringLiteral("Remove"));
    alert->show();
    QTRY_VERIFY(alert->isVisible());
    box = qobject_cast<AlertBox*>(alert->overlay());
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(listener.calls.at(4), QStringLiteral("clicked 0 tag 0 visible true"));
    QTRY_COMPARE(listener.calls.size(), 6);
}

QTEST_MAIN(TestAlertView)
#include "tst_alertview.moc"
