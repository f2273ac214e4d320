// "ServerSettings": the remote client form: which client, its help text, address, port, user
// name and password, and the test and back buttons. The screen wraps it in a scroll view.
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TextField.h"

#include <QWidget>

void InterfaceLayouts::buildServerSettings(QWidget* root)
{
    using L = InterfaceLayout;
    root->resize(320, 640);
    L::setBackgroundColor(root, QColor(51, 51, 51));
    const QColor caption(190, 190, 190);
    const QFont captionFont = Fonts::boldSystemFont(13);

    Button* back = L::addButton(root, QStringLiteral("backButton"), QRect(5, 8, 50, 30), QString(), Button::Type::Custom);
    back->setImage(L::picture(QStringLiteral("back.png")));
    L::addLabel(root, QStringLiteral("titleLabel"), QStringLiteral("Remote client"), QRect(60, 8, 200, 30),
                Fonts::boldSystemFont(20))
        ->setTextAlignment(TextAlignment::Center);

    // Five clients in the adapters' order. The selector reaches further out than the fields,
    // and each segment is as wide as its title needs, so the long names stay whole at 12 points.
    auto* client = new SegmentedControl({QStringLiteral("Vuze"), QStringLiteral("Transmission"), QStringLiteral("uTorrent"),
                                         QStringLiteral("qBittorrent"), QStringLiteral("Deluge")},
                                        root);
    client->setObjectName(QStringLiteral("serverClient"));
    client->setGeometry(8, 52, 304, 30);
    client->setSegmentedControlStyle(SegmentedControl::Style::Bar);
    client->setTitleFont(Fonts::boldSystemFont(12));
    client->setApportionsSegmentWidthsByContent(true);
    client->setSelectedSegmentIndex(0);

    struct Field
    {
        const char* name;
        const char* caption;
        const char* placeholder;
    };
    const Field fields[] = {{"serverAddress", "Address", "192.168.1.10 or my-pc.local"},
                            {"serverPort", "Port", "Port of the web interface"},
                            {"serverUser", "User name", "Empty when none"},
                            {"serverPassword", "Password", "Password"}};
    int y = 94;
    for (const Field& f : fields) {
        L::addLabel(root, QString::fromLatin1(f.name) + QStringLiteral("Label"), QString::fromLatin1(f.caption),
                    QRect(22, y, 276, 18), captionFont, caption);
        TextField* field = L::addTextField(root, QString::fromLatin1(f.name), QRect(20, y + 19, 280, 31),
                                           QString::fromLatin1(f.placeholder));
        field->setReturnKeyType(TextField::ReturnKeyType::Next);
        y += 58;
    }
    auto* password = root->findChild<TextField*>(QStringLiteral("serverPassword"));
    password->setSecureTextEntry(true);
    password->setReturnKeyType(TextField::ReturnKeyType::Done);
    root->findChild<TextField*>(QStringLiteral("serverPort"))->setInputMethodHints(Qt::ImhDigitsOnly);

    L::addButton(root, QStringLiteral("testButton"), QRect(20, y + 12, 280, 37), QStringLiteral("Test settings"));

    // The chosen client's help text, whole, below the form (the page scrolls to it).
    Label* help = L::addLabel(root, QStringLiteral("serverDescription"), QString(), QRect(20, y + 64, 280, 100),
                              Fonts::systemFont(12), QColor(220, 220, 220));
    help->setNumberOfLines(0);
    help->setTextAlignment(TextAlignment::Left);
}
