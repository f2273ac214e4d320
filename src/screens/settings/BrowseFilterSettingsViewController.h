#pragma once

#include "platform/ui/PickerViewDataSource.h"
#include "platform/ui/PickerViewDelegate.h"
#include "platform/ui/ViewController.h"
#include "settings/SaveResult.h"
#include "settings/SiteCodes.h"

#include <QList>
#include <QPointer>
#include <QString>

class Button;
class DisplaySettingsView;
class Label;
class PickerView;
class SegmentedControl;

// What the recents and search display settings screens have in common: the
// order and sort selectors, the category and language picker, restoring them from the stored
// codes when the screen is made, and storing every choice at once under the screen's keys
// (a choice the settings file cannot take is used for this run and said in an alert).
// The two screens differ only in their title, their keys and where their tables come from.
class BrowseFilterSettingsViewController : public ViewController,
                                           public PickerViewDataSource,
                                           public PickerViewDelegate
{
    Q_OBJECT

public:
    // The settings keys of a screen, and the typed setters (which flush and say whether the
    // file took the value) that write them.
    struct Keys
    {
        QString categories;
        QString language;
        QString orderBy;
        QString sortBy;
        SaveResult (*setCategories)(const QString&);
        SaveResult (*setLanguage)(const QString&);
        SaveResult (*setOrderBy)(const QString&);
        SaveResult (*setSortBy)(const QString&);
    };
    struct Tables
    {
        QList<SiteCode> order;
        QList<SiteCode> sort;
        QList<SiteCategory> categories;
        QList<SiteCode> languagesBackup;
    };

    // Where the controls stand in the scroll view's content (the search screen's places;
    // the recents screen shows its selectors there too).
    static constexpr int kOrderLabelY = 100;
    static constexpr int kOrderY = 130;
    static constexpr int kSortLabelY = 170;
    static constexpr int kSortY = 200;
    static constexpr int kPickerY = 250;

    // The tables.
    const QList<SiteCode>& order() const { return m_order; }
    const QList<SiteCode>& sort() const { return m_sort; }
    const QList<SiteCategory>& categories() const { return m_categories; }
    // The language list on display: the full list, or "All" alone for a category whose
    // languages do not apply.
    const QList<SiteCode>& languages() const { return m_languages; }
    const QList<SiteCode>& languagesBackup() const { return m_languagesBackup; }
    Tables tables() const { return {m_order, m_sort, m_categories, m_languagesBackup}; }
    const Keys& keys() const { return m_keys; }

    // The screen's content view and its controls (made with the screen).
    DisplaySettingsView* infoView() const;
    PickerView* pickerView() const;
    SegmentedControl* orderControl() const;
    SegmentedControl* sortControl() const;
    Label* orderLabel() const;
    Label* sortLabel() const;

    // Picker data source and delegate: column 0 the categories, column 1 the languages.
    int numberOfComponentsInPickerView(PickerView* pickerView) override;
    int numberOfRowsInComponent(PickerView* pickerView, int component) override;
    double widthForComponent(PickerView* pickerView, int component) override;
    QString accessibilityLabelForComponent(PickerView* pickerView, int component) override;
    double rowHeightForComponent(PickerView* pickerView, int component) override;
    QWidget* viewForRow(PickerView* pickerView, int row, int component, QWidget* reusingView) override;
    // Stores the chosen code at once; a category sets the language list (and stores language
    // "0" when its languages do not apply).
    void didSelectRow(PickerView* pickerView, int row, int component) override;

    void viewWillAppear(bool animated) override;
    // The screen is a shared instance: being popped or dismissed does not end it.
    void release() override;

public Q_SLOTS:
    // Value changed on the order and sort selectors: store the selected row's code.
    void didOrderBy(SegmentedControl* sender);
    void didSortBy(SegmentedControl* sender);
    // The back button: pops the screen (animated).
    void cancel(QObject* sender);

protected:
    // Makes the screen and its view, restoring the controls from the stored codes.
    BrowseFilterSettingsViewController(const QString& title, const Keys& keys, const Tables& tables,
                                       QObject* parent);
    ~BrowseFilterSettingsViewController() override;

    // Builds the content view: the back button, the labels, the order and sort selectors and
    // the category and language picker, set from the stored codes.
    void loadView() override;

    // The object that owns the shared screens, so that a navigation controller that shows
    // one never takes it as its child; it lives as long as the process.
    static QObject* sharedInstanceOwner();

private:
    Button* makeBackButton();
    void placeControls(DisplaySettingsView* view);
    // Places the selectors and the picker for a view of that height: at their described
    // places where the picker fits above the view's bottom, closer together and with a
    // shorter picker where it does not.
    void fitControls(int height);
    void restoreFromStore();
    static QString storedText(const QString& key);

    Keys m_keys;
    QList<SiteCode> m_order;
    QList<SiteCode> m_sort;
    QList<SiteCategory> m_categories;
    QList<SiteCode> m_languages;
    QList<SiteCode> m_languagesBackup;

    QPointer<DisplaySettingsView> m_infoView;
    QPointer<PickerView> m_picker;
    QPointer<SegmentedControl> m_orderControl;
    QPointer<SegmentedControl> m_sortControl;
    QPointer<Label> m_orderLabel;
    QPointer<Label> m_sortLabel;
};
