#pragma once

#include "TestPictures.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "screens/common/WebViewController.h"

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QWidget>
#include <QTest>

#include <algorithm>

// What the web page and community screen tests share.
namespace PageTestHelpers {

constexpr int kWait = 30000;

inline bool tabsEnabled(TabBarController* tabs)
{
    const QList<TabBarItem*> items = tabs->tabBarItems();
    return std::all_of(items.begin(), items.end(), [](TabBarItem* item) { return item->isEnabled(); });
}

// Runs a script in the page and waits for its text result; null when none came.
inline QString evaluate(WebView* view, const QString& script)
{
    QString result;
    bool done = false;
    view->stringByEvaluatingJavaScriptFromString(script, [&](const QString& text) {
        result = text;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kWait))
        return QString();
    return result;
}

// True once every link of the page has lost its address (and the page has links).
inline bool linksDisabled(WebView* view)
{
    return evaluate(view, QStringLiteral("String(document.querySelectorAll('a').length > 0 && "
                                         "document.querySelectorAll('a[href]').length == 0)"))
        == QLatin1String("true");
}

// A tab bar in the window with one tab per screen, each screen the root of its own
// navigation controller, as the application makes them; the first tab shows.
inline TabBarController* showTabs(Window* window, const QList<ViewController*>& roots)
{
    QList<ViewController*> tabs;
    for (ViewController* root : roots) {
        auto* navigation = new NavigationController;
        navigation->pushViewController(root, false);
        tabs.append(navigation);
    }
    auto* bar = new TabBarController;
    bar->setViewControllers(tabs);
    window->addSubview(bar->view());
    window->makeKeyAndVisible();
    return bar;
}

// The screen's back button, and the pop's slide to its end (the screen's view hidden).
inline bool closeScreen(WebViewController* screen)
{
    QPointer<QWidget> view = screen->view();
    screen->cancel();
    return QTest::qWaitFor([&] { return !view || !view->isVisible(); }, kWait);
}

// Saves a picture of the window for a person to look at, once the web engine has painted
// the page (its middle shows more than a plain fill) and, with `unlike`, something other than
// that picture. Returns the picture saved.
inline QImage save(QWidget* window, const QString& name, const QImage& unlike = QImage())
{
    auto painted = [&](const QImage& image) {
        QSet<QRgb> colours;
        for (int y = image.height() / 4; y < image.height() * 3 / 4; y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        }
        return colours.size() > 3 && (unlike.isNull() || image != unlike);
    };
    QImage image = window->grab().toImage();
    if (!painted(image) && QTest::qWaitFor([&] { return painted(image = window->grab().toImage()); }, kWait / 3))
        image = window->grab().toImage();
    saveTestPicture(image, name);
    return image;
}

} // namespace PageTestHelpers
