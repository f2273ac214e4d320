// "FavoriteCompose": the entry form of a new favourite filter.
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"

#include <QWidget>

void InterfaceLayouts::buildFavoriteCompose(QWidget* root)
{
    using L = InterfaceLayout;
    root->resize(320, 480);
    L::setBackgroundColor(root, QColor(51, 51, 51));
    L::addLabel(root, QStringLiteral("titleLabel"), QStringLiteral("New favorite filter"), QRect(20, 40, 280, 30),
                Fonts::boldSystemFont(22))
        ->setTextAlignment(TextAlignment::Center);
    Label* hint = L::addLabel(root, QStringLiteral("hintLabel"),
                              QStringLiteral("Torrents whose names contain this text are listed under Favorites. "
                                             "Separate alternatives with |."),
                              QRect(20, 78, 280, 48), Fonts::systemFont(13), QColor(200, 200, 200));
    hint->setNumberOfLines(0);
    hint->setTextAlignment(TextAlignment::Center);
    TextField* item = L::addTextField(root, QStringLiteral("newItem"), QRect(20, 140, 280, 31),
                                      QStringLiteral("Name or pattern"));
    item->setReturnKeyType(TextField::ReturnKeyType::Done);
    L::addButton(root, QStringLiteral("cancelButton"), QRect(20, 190, 130, 37), QStringLiteral("Cancel"));
    L::addButton(root, QStringLiteral("addButton"), QRect(170, 190, 130, 37), QStringLiteral("Add"));
}
