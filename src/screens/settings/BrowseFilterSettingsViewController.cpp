#include "screens/settings/BrowseFilterSettingsViewController.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/settings/DisplaySettingsView.h"
#include "views/BarButton.h"

#include <QStringList>

#include <algorithm>
#include <typeinfo>

namespace {
constexpr int kCategoryWidth = 160;
constexpr int kLanguageWidth = 120;
constexpr int kRowHeight = 20;
constexpr int kCategoryLabelWidth = 150;
constexpr int kLanguageLabelWidth = 110;
constexpr int kRowLabelHeight = 18;
// Room left under the picker when the content is scrolled to its end.
constexpr int kBottomMargin = 14;
// The closer places of a short view: gaps, a label's distance to its selector, a selector's
// height, and the shortest picker.
constexpr int kTightGap = 6;
constexpr int kLabelToControl = 22;
constexpr int kControlHeight = 30;
constexpr int kShortestPicker = 162;

QStringList labelsOf(const QList<SiteCode>& rows)
{
    QStringList labels;
    for (const SiteCode& row : rows)
        labels.append(row.label);
    return labels;
}

// The segment of the stored code, or the first one when the code is absent or empty (or, as
// with a code no longer in the table, matches no row).
int segmentFor(const QString& stored, const QList<SiteCode>& rows)
{
    if (stored.isEmpty())
        return 0;
    return std::max(0, SiteCodes::indexOfCode(rows, stored));
}
} // namespace

BrowseFilterSettingsViewController::BrowseFilterSettingsViewController(const QString& title, const Keys& keys,
                                                                       const Tables& tables, QObject* parent)
    : ViewController(parent)
    , m_keys(keys)
    , m_order(tables.order)
    , m_sort(tables.sort)
    , m_categories(tables.categories)
    , m_languages(tables.languagesBackup)
    , m_languagesBackup(tables.languagesBackup)
{
    // The navigation bar is made visible whenever the screen appears; the back button and the
    // content view are made by loadView, now, so that the stored codes are read at creation.
    setTitle(title);
    view();
}

BrowseFilterSettingsViewController::~BrowseFilterSettingsViewController() = default;

DisplaySettingsView* BrowseFilterSettingsViewController::infoView() const { return m_infoView; }
PickerView* BrowseFilterSettingsViewController::pickerView() const { return m_picker; }
SegmentedControl* BrowseFilterSettingsViewController::orderControl() const { return m_orderControl; }
SegmentedControl* BrowseFilterSettingsViewController::sortControl() const { return m_sortControl; }
Label* BrowseFilterSettingsViewController::orderLabel() const { return m_orderLabel; }
Label* BrowseFilterSettingsViewController::sortLabel() const { return m_sortLabel; }

QObject* BrowseFilterSettingsViewController::sharedInstanceOwner()
{
    // Made once on the user interface thread and never deleted: the shared screens live as
    // long as the process.
    static QObject* const owner = new QObject;
    return owner;
}

Button* BrowseFilterSettingsViewController::makeBackButton()
{
    Button* back = makeBarButton(QStringLiteral("backButton"), QStringLiteral("back.png"));
    connect(back, &Button::touchUpInside, this, [this](Button* sender) { cancel(sender); });
    return back;
}

void BrowseFilterSettingsViewController::loadView()
{
    // The back button lives in the bar that shows it; a bar that went away (with its
    // navigation controller, taking this view along) took it too: both are made again.
    if (!navigationItem()->leftView())
        navigationItem()->setLeftView(makeBackButton());
    DisplaySettingsView* view = DisplaySettingsView::create();
    view->setDelegate(this);
    view->setGeometry(Device::screenBounds());
    if (ScrollView* scroll = view->scrollView())
        scroll->setGeometry(view->rect());
    m_infoView = view;
    setView(view);
    placeControls(view);
    restoreFromStore();
}

void BrowseFilterSettingsViewController::placeControls(DisplaySettingsView* view)
{
    ScrollView* scroll = view->scrollView();
    QWidget* content = scroll ? scroll->contentView() : view;

    // The labels, white on clear.
    m_orderLabel = InterfaceLayout::addLabel(content, QStringLiteral("orderByLabel"), QStringLiteral("Order by:"),
                                             QRect(20, kOrderLabelY, 300, 20), Fonts::boldSystemFont(15), Qt::white);
    m_sortLabel = InterfaceLayout::addLabel(content, QStringLiteral("sortByLabel"), QStringLiteral("Sort:"),
                                            QRect(20, kSortLabelY, 300, 20), Fonts::boldSystemFont(15), Qt::white);
    m_orderLabel->setBackgroundColor(Qt::transparent);
    m_sortLabel->setBackgroundColor(Qt::transparent);

    // Bar-style selectors, one segment per row in table order.
    m_orderControl = new SegmentedControl(labelsOf(m_order), content);
    m_orderControl->setObjectName(QStringLiteral("orderBy"));
    m_orderControl->setSegmentedControlStyle(SegmentedControl::Style::Bar);
    m_orderControl->setGeometry(20, kOrderY, 280, 30);
    connect(m_orderControl, &SegmentedControl::valueChanged, this, [this] { didOrderBy(m_orderControl); });

    m_sortControl = new SegmentedControl(labelsOf(m_sort), content);
    m_sortControl->setObjectName(QStringLiteral("sortBy"));
    m_sortControl->setSegmentedControlStyle(SegmentedControl::Style::Bar);
    m_sortControl->setGeometry(20, kSortY, 280, 30);
    connect(m_sortControl, &SegmentedControl::valueChanged, this, [this] { didSortBy(m_sortControl); });

    // The picker, placed 290 x 50, which a picker makes 216 high (at once here, so
    // that the content size below sees its real height).
    m_picker = new PickerView(content);
    m_picker->setObjectName(QStringLiteral("picker"));
    m_picker->setAccessibleName(QStringLiteral("Category and language"));
    m_picker->setGeometry(20, kPickerY, 290, PickerView::heightForFrameHeight(50));
    m_picker->setShowsSelectionIndicator(true);
    m_picker->setDataSource(this);
    m_picker->setDelegate(this);

    if (scroll) {
        // Touches reach the selectors and the picker at once, not after a scroll's delay.
        scroll->setCanCancelContentTouches(false);
        scroll->setDelaysContentTouches(false);
    }
    fitControls(view->height());
    connect(view, &DisplaySettingsView::resized, this, [this, view] { fitControls(view->height()); });
}

void BrowseFilterSettingsViewController::fitControls(int height)
{
    DisplaySettingsView* view = m_infoView;
    if (!view || !m_picker)
        return;
    int orderLabelY = kOrderLabelY;
    int orderY = kOrderY;
    int sortLabelY = kSortLabelY;
    int sortY = kSortY;
    int pickerY = kPickerY;
    int pickerHeight = PickerView::heightForFrameHeight(50);
    if (pickerY + pickerHeight + kBottomMargin > height) {
        // Under a navigation bar and a tab bar the phone's view is 387 points high, and the
        // tab bar covered all of the picker but its selected row and the one below.
        const QWidget* heading = view->findChild<QWidget*>(QStringLiteral("headingLabel"));
        orderLabelY = (heading ? heading->geometry().bottom() + 1 : kOrderLabelY) + kTightGap;
        orderY = orderLabelY + kLabelToControl;
        sortLabelY = orderY + kControlHeight + kTightGap;
        sortY = sortLabelY + kLabelToControl;
        pickerY = sortY + kControlHeight + kTightGap;
        // Never shorter than a picker can be; below that the content scrolls.
        pickerHeight = std::clamp(height - kBottomMargin - pickerY, kShortestPicker, pickerHeight);
    }
    m_orderLabel->move(20, orderLabelY);
    m_orderControl->move(20, orderY);
    m_sortLabel->move(20, sortLabelY);
    m_sortControl->move(20, sortY);
    m_picker->setGeometry(20, pickerY, 290, pickerHeight);
    if (ScrollView* scroll = view->scrollView()) {
        // The content reaches below the picker, so that a view too short even for the closer
        // places scrolls to it.
        scroll->setContentSize(QSizeF(std::max(scroll->contentSize().width(), 320.0),
                                      double(m_picker->geometry().bottom() + 1 + kBottomMargin)));
    }
}

QString BrowseFilterSettingsViewController::storedText(const QString& key)
{
    return SettingsStore::standard().stringForKey(key);
}

void BrowseFilterSettingsViewController::restoreFromStore()
{
    // The selectors' segments.
    m_orderControl->setSelectedSegmentIndex(segmentFor(storedText(m_keys.orderBy), m_order));
    m_sortControl->setSelectedSegmentIndex(segmentFor(storedText(m_keys.sortBy), m_sort));

    // The category; choosing it may store language "0".
    const QString category = storedText(m_keys.categories);
    const int categoryRow = category.isEmpty() ? -1 : SiteCodes::indexOfCode(m_categories, category);
    if (categoryRow >= 0) {
        m_picker->selectRow(categoryRow, 0, false);
        didSelectRow(m_picker, categoryRow, 0);
    } else {
        m_picker->selectRow(0, 0, false);
    }

    // The language, read only now: the category may have just changed it.
    const QString language = storedText(m_keys.language);
    const int languageRow = language.isEmpty() ? -1 : SiteCodes::indexOfCode(m_languages, language);
    if (languageRow >= 0) {
        m_picker->selectRow(languageRow, 1, false);
        didSelectRow(m_picker, languageRow, 1);
    } else {
        m_picker->selectRow(0, 1, false);
    }
}

int BrowseFilterSettingsViewController::numberOfComponentsInPickerView(PickerView*)
{
    return 2;
}

int BrowseFilterSettingsViewController::numberOfRowsInComponent(PickerView*, int component)
{
    if (component == 0)
        return int(m_categories.size());
    if (component == 1)
        return int(m_languages.size());
    return 0;
}

QString BrowseFilterSettingsViewController::accessibilityLabelForComponent(PickerView*, int component)
{
    return component == 0 ? QStringLiteral("Category") : QStringLiteral("Language");
}

double BrowseFilterSettingsViewController::widthForComponent(PickerView*, int component)
{
    return component == 0 ? kCategoryWidth : kLanguageWidth;
}

double BrowseFilterSettingsViewController::rowHeightForComponent(PickerView*, int)
{
    return kRowHeight;
}

QWidget* BrowseFilterSettingsViewController::viewForRow(PickerView*, int row, int component, QWidget* reusingView)
{
    // Only a plain label (not a subclass) is reused; any other view handed back is left to
    // the picker.
    Label* label = nullptr;
    if (reusingView && typeid(*reusingView) == typeid(Label))
        label = static_cast<Label*>(reusingView);
    if (!label) {
        label = new Label;
        label->setTextAlignment(TextAlignment::Left);
        label->setFont(Fonts::fontWithName(QStringLiteral("Verdana"), 18));
        label->setTextColor(Qt::white);
        label->setBackgroundColor(Qt::transparent);
    }
    label->resize(component == 0 ? kCategoryLabelWidth : kLanguageLabelWidth, kRowLabelHeight);
    if (component == 0)
        label->setText(m_categories.value(row).label);
    else
        label->setText(m_languages.value(row).label);
    return label;
}

void BrowseFilterSettingsViewController::didSelectRow(PickerView* pickerView, int row, int component)
{
    if (component == 1) {
        if (row < 0 || row >= m_languages.size())
            return;
        SettingsSaveAlert::check(m_keys.setLanguage(m_languages.at(row).code));
        if (pickerView)
            pickerView->reloadAllComponents();
        return;
    }
    if (component != 0 || row < 0 || row >= m_categories.size())
        return;
    const SiteCategory& category = m_categories.at(row);
    SettingsSaveAlert::check(m_keys.setCategories(category.code));
    if (category.languagesApply) {
        m_languages = m_languagesBackup;
    } else {
        m_languages = SiteCodes::allLanguagesOnly();
        SettingsSaveAlert::check(m_keys.setLanguage(m_languages.first().code));
    }
    if (pickerView)
        pickerView->reloadAllComponents();
}

void BrowseFilterSettingsViewController::didOrderBy(SegmentedControl* sender)
{
    const int index = sender ? sender->selectedSegmentIndex() : -1;
    if (index >= 0 && index < m_order.size())
        SettingsSaveAlert::check(m_keys.setOrderBy(m_order.at(index).code));
}

void BrowseFilterSettingsViewController::didSortBy(SegmentedControl* sender)
{
    const int index = sender ? sender->selectedSegmentIndex() : -1;
    if (index >= 0 && index < m_sort.size())
        SettingsSaveAlert::check(m_keys.setSortBy(m_sort.at(index).code));
}

void BrowseFilterSettingsViewController::cancel(QObject*)
{
    if (NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

void BrowseFilterSettingsViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    // The back button lives in the bar that shows it; a bar that went away took it along.
    if (!navigationItem()->leftView())
        navigationItem()->setLeftView(makeBackButton());
    if (NavigationController* nav = navigationController())
        nav->setNavigationBarHidden(false, animated);
}

void BrowseFilterSettingsViewController::release()
{
    // Shared: kept for the next visit.
}
