#include "views/BarButton.h"

#include "platform/ui/Button.h"
#include "platform/ui/InterfaceLayout.h"
#include "views/PictureButtonName.h"

Button* makeBarButton(const QString& objectName, const QString& picture)
{
    auto* button = new Button(Button::Type::Custom);
    button->setObjectName(objectName);
    button->resize(50, 47);
    button->setImage(InterfaceLayout::picture(picture));
    button->setAccessibleName(pictureButtonName(picture));
    return button;
}
