// "LoginView": the sign-in form (group), the captcha group, the info button and the
// information view that flips in with the build version.
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"

#include <QWidget>

void InterfaceLayouts::buildLoginView(QWidget* root)
{
    using L = InterfaceLayout;
    root->resize(320, 480);
    L::setBackgroundColor(root, QColor(16, 32, 47));
    QWidget* content = root;
    if (auto* scroll = qobject_cast<ScrollView*>(root)) {
        scroll->setContentSize(QSizeF(320, 480));
        content = scroll->contentView();
    }
    const QColor caption(200, 214, 230);

    // The sign-in group; the screen moves it to (22, 175) or, with the captcha, (22, 275).
    QWidget* group = L::addView(content, QStringLiteral("groupView"), QRect(22, 175, 276, 197));
    L::addLabel(group, QStringLiteral("usernameLabel"), QStringLiteral("Username"), QRect(2, 0, 272, 18),
                Fonts::boldSystemFont(13), caption);
    TextField* username = L::addTextField(group, QStringLiteral("username"), QRect(0, 19, 276, 31),
                                          QStringLiteral("Tarnvale user name"));
    username->setReturnKeyType(TextField::ReturnKeyType::Next);
    L::addLabel(group, QStringLiteral("passwordLabel"), QStringLiteral("Password"), QRect(2, 57, 272, 18),
                Fonts::boldSystemFont(13), caption);
    TextField* password = L::addTextField(group, QStringLiteral("password"), QRect(0, 76, 276, 31),
                                          QStringLiteral("Password"));
    password->setSecureTextEntry(true);
    password->setReturnKeyType(TextField::ReturnKeyType::Done);
    L::addLabel(group, QStringLiteral("automaticLoginLabel"), QStringLiteral("Sign in at start"), QRect(2, 118, 200, 31),
                Fonts::boldSystemFont(15));
    auto* automatic = new Switch(group);
    automatic->setObjectName(QStringLiteral("automaticLogin"));
    automatic->move(225, 118);
    L::addButton(group, QStringLiteral("loginBtn"), QRect(0, 160, 276, 37), QStringLiteral("Sign in"));

    // The captcha group: shown between the title and the moved sign-in group.
    QWidget* captcha = L::addView(content, QStringLiteral("captchaView"), QRect(22, 168, 276, 100));
    auto* image = new ImageView(captcha);
    image->setObjectName(QStringLiteral("imageView"));
    image->setGeometry(0, 0, 276, 57);
    image->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    TextField* answer = L::addTextField(captcha, QStringLiteral("captcha"), QRect(0, 63, 276, 31),
                                        QStringLiteral("Letters in the picture"));
    answer->setReturnKeyType(TextField::ReturnKeyType::Done);
    captcha->hide();

    Button* info = L::addButton(content, QStringLiteral("infoButton"), QRect(288, 444, 24, 24), QString(),
                                Button::Type::InfoLight);
    info->setToolTip(QStringLiteral("About"));

    // The information view, outside the hierarchy until the info button flips it in.
    QWidget* infoView = InterfaceLayout::create(QStringLiteral("InfoView"), content,
                                                [](QWidget* parent) { return new QWidget(parent); });
    infoView->setObjectName(QStringLiteral("infoView"));
    infoView->setGeometry(0, 0, 320, 480);
    L::setBackgroundColor(infoView, QColor(24, 24, 28));
    L::addLabel(infoView, QStringLiteral("infoTitle"), QStringLiteral("iTarnvale"), QRect(20, 60, 280, 40),
                Fonts::boldSystemFont(30))
        ->setTextAlignment(TextAlignment::Center);
    Label* about = L::addLabel(infoView, QStringLiteral("infoText"),
                               QStringLiteral("A client for the Tarnvale tracker: browse, search and keep favourite "
                                              "filters, and send torrents to the BitTorrent client on your computer."),
                               QRect(30, 120, 260, 90), Fonts::systemFont(14), QColor(200, 200, 200));
    about->setNumberOfLines(0);
    about->setTextAlignment(TextAlignment::Center);
    L::addLabel(infoView, QStringLiteral("versionCaption"), QStringLiteral("Build"), QRect(30, 240, 120, 24),
                Fonts::boldSystemFont(15), QColor(160, 160, 160));
    L::addLabel(infoView, QStringLiteral("versionLbl"), QString(), QRect(150, 240, 140, 24), Fonts::boldSystemFont(15))
        ->setTextAlignment(TextAlignment::Right);
    L::addButton(infoView, QStringLiteral("returnButton"), QRect(110, 400, 100, 37), QStringLiteral("Done"));
    infoView->hide();
}
