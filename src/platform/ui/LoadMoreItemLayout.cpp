// "LoadMoreItem": the last row of the torrent lists, which asks for the next site page.
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"

#include <QWidget>

void InterfaceLayouts::buildLoadMoreItem(QWidget* root)
{
    using L = InterfaceLayout;
    root->resize(320, 36);
    L::addLabel(root, QStringLiteral("moreLabel"), QStringLiteral("More torrents"), QRect(40, 0, 160, 36),
                Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 15), QColor(204, 204, 204));
    Label* page = L::addLabel(root, QStringLiteral("pageLbl"), QString(), QRect(200, 0, 110, 36),
                              Fonts::fontWithName(QStringLiteral("Arial"), 14), QColor(150, 150, 150));
    page->setTextAlignment(TextAlignment::Right);
    page->setAdjustsFontSizeToFitWidth(true);
    page->setMinimumFontSize(8);
    L::addLabel(root, QStringLiteral("moreArrow"), QStringLiteral("\u25BE"), QRect(12, 0, 24, 36),
                Fonts::fontWithName(QStringLiteral("Verdana"), 18), QColor(204, 204, 204));
}
