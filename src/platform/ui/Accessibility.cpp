#include "platform/ui/Accessibility.h"

#include "platform/ui/AccessibleLabel.h"
#include "platform/ui/AccessibleMoreList.h"
#include "platform/ui/AccessiblePickerView.h"
#include "platform/ui/AccessibleTabBar.h"
#include "platform/ui/AccessibleTableView.h"
#include "platform/ui/AccessibleTableViewCell.h"
#include "platform/ui/Label.h"
#include "platform/ui/MoreListView.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"

#include <QAccessible>
#include <QVariant>

#include <algorithm>
#include <climits>

namespace {

constexpr int kLeftGap = 24;  // points between a label's right edge and its control
constexpr int kAboveGap = 12; // points between a label's bottom and its control
const char* const kDerivedName = "itarnvale_derivedAccessibleName";

// Qt asks with the object's class name and then with each base class's, so a subclass of a
// control (a torrent row, a back button) gets its base's interface.
QAccessibleInterface* controlInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("Label"))
        return new AccessibleLabel(static_cast<Label*>(object));
    if (className == QLatin1String("PickerView"))
        return new AccessiblePickerView(static_cast<PickerView*>(object));
    if (className == QLatin1String("TabBar"))
        return new AccessibleTabBar(static_cast<TabBar*>(object));
    if (className == QLatin1String("MoreListView"))
        return new AccessibleMoreList(static_cast<MoreListView*>(object));
    if (className == QLatin1String("TableView"))
        return new AccessibleTableView(static_cast<TableView*>(object));
    if (className == QLatin1String("TableViewCell"))
        return new AccessibleTableViewCell(static_cast<TableViewCell*>(object));
    return nullptr;
}

// A name the screen set itself, not one derived here earlier.
bool namedByScreen(const QWidget* control)
{
    const QString given = control->accessibleName();
    return !given.isEmpty() && given != control->property(kDerivedName).toString();
}

void setDerivedName(QWidget* control, const QString& name)
{
    control->setProperty(kDerivedName, name);
    if (name != control->accessibleName())
        control->setAccessibleName(name);
}

int overlap(int a1, int a2, int b1, int b2)
{
    return std::min(a2, b2) - std::max(a1, b1);
}

} // namespace

void Accessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

QString Accessibility::labelNaming(const QWidget* control)
{
    const QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return {};
    const QRect c = control->geometry();
    const Label* best = nullptr;
    long bestScore = LONG_MAX;
    for (QObject* child : parent->children()) {
        auto* label = qobject_cast<Label*>(child);
        if (!label || label->isHidden() || label->text().trimmed().isEmpty())
            continue;
        const QRect l = label->geometry();
        int gap = -1;
        int shared = 0;
        if (l.center().y() >= c.top() && l.center().y() <= c.bottom() && l.right() <= c.left() + 2) {
            gap = std::max(0, c.left() - l.right() - 1);
            shared = kLeftGap - gap;
            if (gap > kLeftGap)
                continue;
        } else if (l.bottom() <= c.top() + 2 && overlap(l.left(), l.right(), c.left(), c.right()) > 0) {
            gap = std::max(0, c.top() - l.bottom() - 1);
            shared = overlap(l.left(), l.right(), c.left(), c.right());
            if (gap > kAboveGap)
                continue;
        } else {
            continue;
        }
        // The nearest label; of two as near, the one that covers more of the control.
        const long score = long(gap) * 10000 - shared;
        if (score < bestScore) {
            bestScore = score;
            best = label;
        }
    }
    if (!best)
        return {};
    QString text = best->text().simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void Accessibility::nameUnlessNamed(QWidget* control, const QString& name)
{
    if (!namedByScreen(control))
        setDerivedName(control, name);
}

void Accessibility::nameAfterLabel(QWidget* control)
{
    if (!namedByScreen(control))
        setDerivedName(control, labelNaming(control));
}

void Accessibility::nameTextField(TextField* field)
{
    if (namedByScreen(field))
        return;
    const QString label = labelNaming(field);
    setDerivedName(field, label.isEmpty() ? field->placeholder() : label);
    if (!label.isEmpty() && field->accessibleDescription().isEmpty())
        field->setAccessibleDescription(field->placeholder());
}
