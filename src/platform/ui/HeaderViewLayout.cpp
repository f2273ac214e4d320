// "HeaderView": the 70-point header above the torrent lists. Its top 45 points hold the
// signed-in user's name (an underlined button), ratio, uploaded and downloaded amounts and the
// list's buttons; the lower part stays clear (touches there reach the list).
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/InterfaceLayouts.h"
#include "platform/ui/Label.h"

#include <QWidget>

namespace {
Button* iconButton(QWidget* parent, const QString& name, int x, const QString& picture)
{
    Button* button = InterfaceLayout::addButton(parent, name, QRect(x, 6, 34, 34), QString(), Button::Type::Custom);
    button->setImage(InterfaceLayout::picture(picture));
    return button;
}
} // namespace

void InterfaceLayouts::buildHeaderView(QWidget* root)
{
    using L = InterfaceLayout;
    root->resize(320, 70);
    QWidget* bar = L::addView(root, QStringLiteral("headerBackground"), QRect(0, 0, 320, 45), QColor(20, 20, 20, 235));
    bar->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* user = static_cast<Button*>(L::create(QStringLiteral("UIUnderlinedLabel"), root,
                                                [](QWidget* parent) { return new Button(parent); }));
    user->setObjectName(QStringLiteral("usernameLbl"));
    user->setGeometry(6, 3, 150, 20);
    user->setTitleFont(Fonts::boldSystemFont(15));
    user->setTitleColor(Qt::white);

    const QFont small = Fonts::fontWithName(QStringLiteral("Arial"), 11);
    const QFont value = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 11);
    const QColor grey(150, 150, 150);
    L::addLabel(root, QStringLiteral("ratioCaption"), QStringLiteral("Ratio"), QRect(8, 25, 30, 16), small, grey);
    L::addLabel(root, QStringLiteral("ratioLbl"), QString(), QRect(38, 25, 40, 16), value, Qt::white);
    L::addLabel(root, QStringLiteral("upCaption"), QStringLiteral("Up"), QRect(80, 25, 18, 16), small, grey);
    L::addLabel(root, QStringLiteral("upLbl"), QString(), QRect(98, 25, 55, 16), value, QColor(60, 207, 78));
    L::addLabel(root, QStringLiteral("downCaption"), QStringLiteral("Down"), QRect(155, 25, 30, 16), small, grey);
    L::addLabel(root, QStringLiteral("downLbl"), QString(), QRect(185, 25, 55, 16), value, QColor(229, 72, 59));

    iconButton(root, QStringLiteral("refreshBtn"), 206, QStringLiteral("header-refresh.png"));
    // Filters (favourites) and search (search list) share a place; each list shows its own.
    iconButton(root, QStringLiteral("filtersBtn"), 244, QStringLiteral("header-filters.png"))->hide();
    iconButton(root, QStringLiteral("searchBtn"), 244, QStringLiteral("header-search.png"))->hide();
    iconButton(root, QStringLiteral("settingsBtn"), 282, QStringLiteral("header-settings.png"));
}
