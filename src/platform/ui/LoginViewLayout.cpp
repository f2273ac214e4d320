// "LoginView": the login screen, sized for the device's screen. A 320-point form, centred on
// wider screens, holds the sign-in group, the captcha group (hidden until the site asks for
// one), the place of the donation button and the info button; the information view lies over
// the whole screen, hidden until the info button flips it in. The screen picks the background
// picture by device and captcha, and moves the sign-in group down to (22, 275) while the
// captcha shows, just above the donation button.
#include "platform/ui/Bundle.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"

#include <QPalette>
#include <QWidget>

namespace {
constexpr int kFormWidth = 320;

TextField* addField(QWidget* parent, const QString& name, const QRect& frame, const QString& placeholder,
                    TextField::ReturnKeyType returnKey)
{
    TextField* field = InterfaceLayout::addTextField(parent, name, frame, placeholder);
    field->setFont(Fonts::systemFont(15));
    field->setReturnKeyType(returnKey);
    return field;
}

Label* addCentredLabel(QWidget* parent, const QString& name, const QString& text, const QRect& frame,
                       const QFont& font, const QColor& color)
{
    Label* label = InterfaceLayout::addLabel(parent, name, text, frame, font, color);
    label->setTextAlignment(TextAlignment::Center);
    return label;
}

// The information view at its phone geometry; the view lays these out again for its size.
void buildInfoView(QWidget* root, const QSize& screen)
{
    using L = InterfaceLayout;
    QWidget* info = L::create(QStringLiteral("InfoView"), root, [](QWidget* parent) { return new QWidget(parent); });
    info->setObjectName(QStringLiteral("infoView"));
    info->setGeometry(QRect(QPoint(0, 0), screen));
    L::setBackgroundColor(info, QColor(24, 24, 28));
    const QColor light(200, 200, 200);
    addCentredLabel(info, QStringLiteral("infoTitle"), QStringLiteral("iTarnvale"), QRect(20, 60, 280, 40),
                    Fonts::boldSystemFont(30), Qt::white);
    Label* about = addCentredLabel(info, QStringLiteral("infoText"),
                                   QStringLiteral("A client for the Tarnvale tracker: browse, search and keep favourite "
                                                  "filters, and send torrents to the BitTorrent client on your computer."),
                                   QRect(30, 116, 260, 100), Fonts::systemFont(14), light);
    about->setNumberOfLines(0);
    about->setLineBreakMode(LineBreakMode::WordWrap);
    addCentredLabel(info, QStringLiteral("versionCaption"), QStringLiteral("Build"), QRect(0, 236, 320, 20),
                    Fonts::boldSystemFont(15), QColor(160, 160, 160));
    addCentredLabel(info, QStringLiteral("versionLbl"), QString(), QRect(0, 258, 320, 24), Fonts::boldSystemFont(15),
                    Qt::white);
    L::addButton(info, QStringLiteral("returnButton"), QRect(110, 316, 100, 37), QStringLiteral("Done"));
    info->hide();
}
} // namespace

void InterfaceLayouts::buildLoginView(QWidget* root)
{
    using L = InterfaceLayout;
    const QSize screen = Device::screenBounds().size();
    root->resize(screen);
    QPalette palette = root->palette();
    palette.setBrush(QPalette::Window, QBrush(Bundle::imageNamed(QStringLiteral("loginBackShort.png"))));
    root->setPalette(palette);
    root->setAutoFillBackground(true);
    QWidget* content = root;
    if (auto* scroll = qobject_cast<ScrollView*>(root)) {
        scroll->setContentSize(screen);
        content = scroll->contentView();
    }

    QWidget* form = L::addView(content, QStringLiteral("formView"),
                               QRect((screen.width() - kFormWidth) / 2, 0, kFormWidth, screen.height()));

    // The sign-in group, at the screen's plain origin.
    QWidget* group = L::addView(form, QStringLiteral("groupView"), QRect(22, 175, 276, 95));
    addField(group, QStringLiteral("username"), QRect(0, 0, 276, 28), QStringLiteral("Username"),
             TextField::ReturnKeyType::Next);
    addField(group, QStringLiteral("password"), QRect(0, 33, 276, 28), QStringLiteral("Password"),
             TextField::ReturnKeyType::Done)
        ->setSecureTextEntry(true);
    L::addLabel(group, QStringLiteral("automaticLoginLabel"), QStringLiteral("Auto login"), QRect(0, 64, 78, 31),
                Fonts::boldSystemFont(14));
    auto* automatic = new Switch(group);
    automatic->setObjectName(QStringLiteral("automaticLogin"));
    automatic->setGeometry(80, 64, 51, 31);
    Button* login = L::addButton(group, QStringLiteral("loginBtn"), QRect(166, 64, 110, 31), QStringLiteral("Login"));
    login->setTitleFont(Fonts::boldSystemFont(15));
    login->setTitleColor(QColor(50, 79, 133));
    login->setTitleColor(QColor(160, 160, 160), Button::State::Disabled);

    // The captcha group: the picture and the answer, where the sign-in group stood.
    QWidget* captcha = L::addView(form, QStringLiteral("captchaView"), QRect(22, 177, 276, 88));
    auto* image = new ImageView(captcha);
    image->setObjectName(QStringLiteral("imageView"));
    image->setGeometry(0, 0, 276, 52);
    addField(captcha, QStringLiteral("captcha"), QRect(0, 58, 276, 30), QStringLiteral("Type the words above"),
             TextField::ReturnKeyType::Done);
    captcha->hide();

    L::addButton(form, QStringLiteral("infoButton"), QRect(kFormWidth - 38, screen.height() - 38, 30, 30), QString(),
                 Button::Type::InfoLight);

    // Where the screen puts the donation button (a web view of a higher layer); stays empty.
    L::addView(form, QStringLiteral("donatePlace"), QRect(80, 370, 160, 50));

    buildInfoView(root, screen);
}
