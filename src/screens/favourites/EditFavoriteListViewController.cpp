#include "screens/favourites/EditFavoriteListViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "screens/common/SettingsSaveAlert.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "views/BarButton.h"
#include "views/TextRowCell.h"
#include "watch/WatchSettings.h"

namespace {
const char* const kFilterProperty = "itarnvale_filter";
constexpr int kSwitchRoom = 66; // the row's switch and its margins
// A stored filter that is not a valid pattern finds nothing; its row says so by its colour.
const QColor kInvalidTextColor(255, 120, 110);
} // namespace

EditFavoriteListViewController::EditFavoriteListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Favorite filters"));
    Button* add = makeBarButton(QStringLiteral("addButton"), QStringLiteral("add.png"));
    connect(add, &Button::touchUpInside, this, [this] { addFavorite(); });
    navigationItem()->setRightView(add);
    Button* back = makeBarButton(QStringLiteral("backButton"), QStringLiteral("back.png"));
    connect(back, &Button::touchUpInside, this, [this](Button* sender) { cancel(sender); });
    navigationItem()->setLeftView(back);
    reloadFilters();
}

void EditFavoriteListViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    tableView()->setBackgroundColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    tableView()->setSeparatorStyle(TableViewCellSeparatorStyle::None);
}

void EditFavoriteListViewController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    const bool formClosed = m_formClosed;
    m_formClosed = false;
    if (!m_filters.isEmpty() || formClosed)
        return;
    // Once the screen is in place: the form then covers it, not a screen on its way in.
    QMetaObject::invokeMethod(this, [this] {
        if (isAppearing() && m_filters.isEmpty() && !modalViewController())
            addFavorite();
    }, Qt::QueuedConnection);
}

void EditFavoriteListViewController::reloadFilters()
{
    m_filters.clear();
    for (const QString& text : Settings::filters())
        m_filters.append(Filter(text));
    if (isViewLoaded())
        tableView()->reloadData();
}

int EditFavoriteListViewController::numberOfRowsInSection(TableView*, int)
{
    return int(m_filters.size());
}

double EditFavoriteListViewController::heightForRowAtIndexPath(TableView*, const IndexPath&)
{
    return kRowHeight;
}

TableViewCell* EditFavoriteListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= m_filters.size())
        return nullptr;
    TextRowCell* cell = TextRowCell::dequeue(tableView);
    Label* name = cell->label();
    const Filter& filter = m_filters.at(indexPath.row);
    // A stored empty filter (from an earlier version) matches nothing and says so.
    name->setText(filter.regex().isEmpty() ? QStringLiteral("(empty filter: matches nothing)") : filter.regex());
    const bool finds = filter.isValid() && !filter.regex().isEmpty();
    name->setTextColor(finds ? TextRowCell::textColor() : kInvalidTextColor);
    // Each filter's "Send new ones to my client", as its form set it, can be turned here.
    auto* send = qobject_cast<Switch*>(cell->accessoryView());
    if (!send) {
        send = new Switch;
        cell->setAccessoryView(send);
        connect(send, &Switch::valueChanged, this, [this, send, cell](bool on) { switchedSending(cell, send, on); });
    }
    send->setProperty(kFilterProperty, filter.regex());
    const bool sends = WatchSettings::isAutoSend(filter.regex());
    send->setOn(sends);
    send->setAccessibleName(QStringLiteral("Send new ones of %1 to my client").arg(filter.regex()));
    cell->reserveRight(kSwitchRoom);
    cell->setDetail(sendingText(sends));
    return cell;
}

QString EditFavoriteListViewController::sendingText(bool sends)
{
    return sends ? QStringLiteral("New ones go to my client") : QStringLiteral("New ones are not sent");
}

void EditFavoriteListViewController::switchedSending(TextRowCell* cell, Switch* send, bool on)
{
    const QString filter = send->property(kFilterProperty).toString();
    // Not saved: the switch goes back, and the user is told why.
    if (!SettingsSaveAlert::check(WatchSettings::setAutoSend(filter, on))) {
        send->setOn(!on);
        return;
    }
    cell->setDetail(sendingText(on));
}

void EditFavoriteListViewController::didSelectRowAtIndexPath(TableView*, const IndexPath&)
{
}

bool EditFavoriteListViewController::canEditRowAtIndexPath(TableView*, const IndexPath&)
{
    return true;
}

void EditFavoriteListViewController::commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style,
                                                        const IndexPath& indexPath)
{
    const int index = indexPath.row;
    if (style != TableViewCellEditingStyle::Delete || index < 0 || index >= m_filters.size())
        return;
    // The filter the user swiped, found again in the stored list: when the list has changed
    // under the screen so that it no longer stands there, nothing is removed and the screen
    // shows the list as it now is. When the file cannot be written the filter stays (it would
    // come back at the next start), and the user is told why.
    const QString shown = m_filters.at(index).regex();
    bool found = false;
    const SaveResult saved = Settings::updateStringArray(SettingsKeys::filters, [&](QStringList& stored) {
        found = index < stored.size() && stored.at(index) == shown;
        if (found)
            stored.removeAt(index);
        return found;
    });
    if (!found || !SettingsSaveAlert::check(saved)) {
        reloadFilters();
        return;
    }
    m_filters.removeAt(index);
    // The last filter of that text gone, its send switch goes too.
    if (!Settings::filters().contains(shown))
        WatchSettings::setAutoSend(shown, false);
    tableView->deleteRowsAtIndexPaths({indexPath}, TableViewRowAnimation::None);
}

void EditFavoriteListViewController::addFavorite()
{
    if (modalViewController())
        return;
    presentModalViewController(new FavoriteComposeViewController(this), true);
}

void EditFavoriteListViewController::didUpdateList(FavoriteComposeViewController* form, const QString& item)
{
    const SaveResult saved = Settings::updateFilters([&item](QStringList& stored) { stored.append(item); });
    if (!saved.isSaved() && form) {
        reloadFilters();
        // The form stays with the text typed, saying why, so the user may try again.
        form->showError(saved.message());
        return;
    }
    // Beside the filters, under a key of its own, so that the filters' array keeps its form;
    // stored before the rows are made, which show it.
    if (form)
        SettingsSaveAlert::check(WatchSettings::setAutoSend(item, form->sendsAutomatically()));
    reloadFilters();
    closeForm();
}

void EditFavoriteListViewController::didCancelUpdateList(FavoriteComposeViewController*)
{
    closeForm();
}

void EditFavoriteListViewController::closeForm()
{
    if (!modalViewController())
        return;
    m_formClosed = true;
    dismissModalViewControllerAnimated(true);
}

void EditFavoriteListViewController::cancel(QObject*)
{
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}
