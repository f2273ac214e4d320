// "DisplaySettings": the content view of the display and search settings screens: a scroll
// view on the dark background into which the screens place their selectors and the picker.
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"

#include <QWidget>

void InterfaceLayouts::buildDisplaySettings(QWidget* root)
{
    using L = InterfaceLayout;
    ScrollView* scroll = L::addSettingsPage(root);
    Label* heading = L::addLabel(scroll->contentView(), QStringLiteral("headingLabel"),
                                 QStringLiteral("Choose the category and language of the torrents listed."),
                                 QRect(20, 24, 280, 40), Fonts::systemFont(14), QColor(200, 200, 200));
    heading->setNumberOfLines(0);
}
