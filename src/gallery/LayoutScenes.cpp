// Gallery scenes: every interface layout, loaded by name.
#include "GalleryScene.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <QPalette>

namespace {
QWidget* onBackground(QWidget* layout, QColor colour)
{
    auto* root = new QWidget;
    QPalette p = root->palette();
    p.setColor(QPalette::Window, colour);
    root->setPalette(p);
    root->setAutoFillBackground(true);
    layout->setParent(root);
    layout->move(0, 0);
    root->resize(layout->size());
    return root;
}
} // namespace

GALLERY_SCENE(QStringLiteral("layout-LoginView"), [] {
    QWidget* login = InterfaceLayout::load(QStringLiteral("LoginView"));
    auto* scroll = static_cast<ScrollView*>(login);
    scroll->setBackgroundColor(Qt::transparent);
    QPalette p = login->palette();
    p.setBrush(QPalette::Window, QBrush(Bundle::imageNamed(QStringLiteral("loginBackShort.png"))));
    login->setPalette(p);
    login->setAutoFillBackground(true);
    login->findChild<TextField*>(QStringLiteral("username"))->setText(QStringLiteral("sintel_fan"));
    login->findChild<TextField*>(QStringLiteral("password"))->setText(QStringLiteral("secret"));
    return login;
});

GALLERY_SCENE(QStringLiteral("layout-HeaderView"), [] {
    QWidget* header = InterfaceLayout::load(QStringLiteral("HeaderView"));
    header->findChild<Button*>(QStringLiteral("usernameLbl"))->setTitle(QStringLiteral("sintel_fan"));
    header->findChild<Label*>(QStringLiteral("ratioLbl"))->setText(QStringLiteral("1.42"));
    header->findChild<Label*>(QStringLiteral("upLbl"))->setText(QStringLiteral("84.1 GB"));
    header->findChild<Label*>(QStringLiteral("downLbl"))->setText(QStringLiteral("59.2 GB"));
    return onBackground(header, QColor::fromRgbF(0.2f, 0.2f, 0.2f));
});

GALLERY_SCENE(QStringLiteral("layout-LoadMoreItem"), [] {
    QWidget* more = InterfaceLayout::load(QStringLiteral("LoadMoreItem"));
    more->findChild<Label*>(QStringLiteral("pageLbl"))->setText(QStringLiteral("[50-100]"));
    return onBackground(more, QColor::fromRgbF(0.1333f, 0.1333f, 0.1333f));
});

GALLERY_SCENE(QStringLiteral("layout-ServerSettings"), [] {
    QWidget* form = InterfaceLayout::load(QStringLiteral("ServerSettings"));
    form->findChild<Label*>(QStringLiteral("serverDescription"))
        ->setText(QStringLiteral("Transmission: enable the web interface in its preferences; the default port is 9091."));
    form->findChild<TextField*>(QStringLiteral("serverAddress"))->setText(QStringLiteral("192.168.1.10"));
    form->findChild<TextField*>(QStringLiteral("serverPort"))->setText(QStringLiteral("9091"));
    return form; // the whole form, help text included
});

GALLERY_SCENE(QStringLiteral("layout-DisplaySettings"), [] { return InterfaceLayout::load(QStringLiteral("DisplaySettings")); });
GALLERY_SCENE(QStringLiteral("layout-FavoriteCompose"), [] {
    QWidget* form = InterfaceLayout::load(QStringLiteral("FavoriteCompose"));
    form->resize(320, 260);
    return form;
});
GALLERY_SCENE(QStringLiteral("layout-FavoriteDisplaySettings"), [] {
    QWidget* view = InterfaceLayout::load(QStringLiteral("FavoriteDisplaySettings"));
    view->resize(320, 220);
    view->findChild<ScrollView*>(QStringLiteral("scrollView"))->resize(320, 220);
    return view;
});
