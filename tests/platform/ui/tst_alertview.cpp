// The alert: shown over the window from any thread, its delegate told of the button.
#include "platform/ui/AlertBox.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/Window.h"

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

QTEST_MAIN(TestAlertView)
#include "tst_alertview.moc"
