// "FavoriteDisplaySettings": how many site pages the favourites list scans, on a slider.
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Slider.h"

#include <QWidget>

void InterfaceLayouts::buildFavoriteDisplaySettings(QWidget* root)
{
    using L = InterfaceLayout;
    ScrollView* scroll = L::addSettingsPage(root);
    QWidget* content = scroll->contentView();

    Label* hint = L::addLabel(content, QStringLiteral("hintLabel"),
                              QStringLiteral("Favorites look through this many pages of recent torrents. "
                                             "More pages find more, and take longer."),
                              QRect(20, 24, 280, 48), Fonts::systemFont(13), QColor(200, 200, 200));
    hint->setNumberOfLines(0);
    L::addLabel(content, QStringLiteral("favoritesCountLabel"), QStringLiteral("Pages to scan"), QRect(20, 100, 200, 24),
                Fonts::boldSystemFont(16));
    L::addLabel(content, QStringLiteral("favoritesCountValue"), QStringLiteral("5"), QRect(240, 100, 60, 24),
                Fonts::boldSystemFont(18))
        ->setTextAlignment(TextAlignment::Right);
    auto* slider = new Slider(content);
    slider->setObjectName(QStringLiteral("favoritesCountSlider"));
    slider->setGeometry(20, 132, 280, 34);
    slider->setMinimumValue(1);
    slider->setMaximumValue(20);
    slider->setValue(5);
    L::addLabel(content, QStringLiteral("minimumLabel"), QStringLiteral("1"), QRect(22, 168, 40, 16),
                Fonts::systemFont(11), QColor(160, 160, 160));
    L::addLabel(content, QStringLiteral("maximumLabel"), QStringLiteral("20"), QRect(258, 168, 40, 16),
                Fonts::systemFont(11), QColor(160, 160, 160))
        ->setTextAlignment(TextAlignment::Right);
}
