// Scenes of the containers: a navigation stack with its bars, the tab bar with its
// "More" list, an alert over a screen.
#include "gallery/GalleryScene.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/MoreListView.h"
#include "platform/ui/MoreListViewController.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/Window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A tab picture from the resources, or a drawn stand-in while the pictures are missing.
QImage picture(const QString& name, int seed)
{
    QImage image = Bundle::imageNamed(name);
    if (!image.isNull())
        return image;
    image = QImage(60, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(2.0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    switch (seed % 3) {
    case 0:
        p.drawRoundedRect(QRectF(4, 5, 22, 20), 4, 4);
        break;
    case 1:
        p.drawEllipse(QRectF(4, 4, 22, 22));
        break;
    default:
        p.drawPolygon(QPolygonF{QPointF(15, 3), QPointF(27, 26), QPointF(3, 26)});
    }
    return image;
}

// A plain screen with a coloured body and a line of text.
class SampleScreen : public ViewController
{
public:
    SampleScreen(const QString& title, const QString& text, const QColor& colour)
        : m_text(text)
        , m_colour(colour)
    {
        setTitle(title);
    }
    void loadView() override
    {
        auto* label = new QLabel(m_text);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, m_colour);
        pal.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x33));
        label->setPalette(pal);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(16);
        label->setFont(font);
        setView(label);
    }

private:
    QString m_text;
    QColor m_colour;
};

QWidget* toolbarButton(const QString& pictureName, const QString& fallback, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    const QImage image = Bundle::imageNamed(pictureName);
    if (!image.isNull()) {
        button->setIcon(QPixmap::fromImage(image));
        button->setIconSize(image.deviceIndependentSize().toSize());
        button->setFlat(true);
        button->setStyleSheet(QStringLiteral("border: none; background: transparent;"));
    } else {
        button->setText(fallback);
        button->setStyleSheet(QStringLiteral("color: white; font-weight: bold; border: 1px solid #555;"
                                             " border-radius: 5px; background: #333;"));
    }
    return button;
}

QWidget* navigationStack()
{
    auto* window = new Window;
    auto* root = new SampleScreen(QStringLiteral("Forum"), QStringLiteral("The root screen"), QColor(0xee, 0xee, 0xee));
    auto* nav = new NavigationController(root, window);
    nav->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);

    auto* details = new SampleScreen(QStringLiteral("Details"),
                                     QStringLiteral("Pushed screen: back button titled after the screen "
                                                    "below, a title and a custom right view"),
                                     QColor(0xf7, 0xf7, 0xf2));
    // Like the details screen: a 180 x 30 container of toolbar buttons on the right.
    auto* right = new QWidget;
    right->resize(130, 30);
    toolbarButton(QStringLiteral("forward-toolbar.png"), QStringLiteral(">"), right)->setGeometry(0, -10, 50, 47);
    toolbarButton(QStringLiteral("download-toolbar.png"), QStringLiteral("D"), right)->setGeometry(65, -10, 50, 47);
    details->navigationItem()->setRightView(right);
    nav->pushViewController(details, false);
    window->setRootViewController(nav);
    window->makeKeyAndVisible();
    return window;
}

QWidget* tabBarWithMore(bool showList)
{
    auto* window = new Window;
    auto* tabs = new TabBarController(window);
    const QList<QPair<QString, QString>> names{
        {QStringLiteral("All Torrents"), QStringLiteral("tabbar-all.png")},
        {QString(), QString()}, // favourites: system item
        {QString(), QString()}, // search: system item
        {QStringLiteral("D/l History"), QStringLiteral("tabbar-snatch.png")},
        {QStringLiteral("Forum"), QStringLiteral("tabbar-forum.png")},
        {QStringLiteral("Remote UI"), QStringLiteral("tabbar-remote.png")},
        {QStringLiteral("Remote Settings"), QStringLiteral("tabbar-settings.png")},
        {QStringLiteral("tarnvale.example"), QStringLiteral("tabbar-web.png")},
        {QStringLiteral("Logout"), QStringLiteral("tabbar-logout.png")},
    };
    QList<ViewController*> controllers;
    for (int i = 0; i < names.size(); ++i) {
        auto* screen = new SampleScreen(names.at(i).first, QStringLiteral("Tab %1").arg(i), QColor(0xf2, 0xf2, 0xf2));
        if (i == 1)
            screen->setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Favorites, 1));
        else if (i == 2)
            screen->setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Search, 0));
        else
            screen->setTabBarItem(new TabBarItem(names.at(i).first, picture(names.at(i).second, i), 0));
        if (i == 3) {
            controllers.append(screen);
            continue;
        }
        auto* nav = new NavigationController(screen);
        nav->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);
        nav->setNavigationBarHidden(i < 3);
        controllers.append(nav);
    }
    tabs->setViewControllers(controllers);
    tabs->moreNavigationController()->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);
    tabs->setTintColor(Qt::white);
    tabs->setBarTintColor(Qt::black);
    window->setRootViewController(tabs);
    window->makeKeyAndVisible();
    if (showList)
        tabs->setSelectedViewController(tabs->moreNavigationController());
    else
        tabs->setSelectedIndex(6);
    return window;
}

QWidget* alertOverScreen()
{
    auto* window = new Window;
    auto* nav = new NavigationController(
        new SampleScreen(QStringLiteral("Login"), QStringLiteral("The screen under the alert"), QColor(0xdd, 0xe4, 0xee)),
        window);
    nav->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);
    window->setRootViewController(nav);
    window->makeKeyAndVisible();
    return window;
}

} // namespace

GALLERY_SCENE(QStringLiteral("navigation-stack"), [] { return navigationStack(); }, {});
GALLERY_SCENE(QStringLiteral("tabbar-more-list"), [] { return tabBarWithMore(true); }, {});
GALLERY_SCENE(QStringLiteral("tabbar-more-screen"), [] { return tabBarWithMore(false); }, {});
GALLERY_SCENE(QStringLiteral("alert"), [] { return alertOverScreen(); }, [](QWidget*) {
    auto* alert = new AlertView(QStringLiteral("Login failed."),
                                QStringLiteral("Bad username, password or validation code."), nullptr,
                                QStringLiteral("Cancel"));
    alert->show();
});
