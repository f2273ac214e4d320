#include "platform/ui/TableView.h"

#include "platform/ui/TableViewCell.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

// The table by keyboard and for readers: the row the keys act on, the ring that marks it, and
// the texts of rows that have no cell in view.

namespace {
// The ring drawn over the keys' row, above the cells, never in the way of a tap.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
    }
};
} // namespace

std::optional<IndexPath> TableView::indexPathAtRowIndex(int index) const
{
    if (index < 0 || index >= int(m_rows.size()))
        return std::nullopt;
    return m_rows[size_t(index)].path;
}

void TableView::moveKeyboardRowTo(const IndexPath& indexPath)
{
    if (rowIndex(indexPath) < 0)
        return;
    hideDeleteConfirmation();
    m_keyRow = indexPath;
    if (m_allowsSelection)
        selectRowAtIndexPath(indexPath, false, TableViewScrollPosition::None);
    scrollRectToVisible(rectForRowAtIndexPath(indexPath), false);
    placeFocusRing();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(rowIndex(indexPath));
        QAccessible::updateAccessibility(&event);
    }
}

bool TableView::moveKeyboardRow(int key)
{
    if (m_rows.empty())
        return false;
    const int last = int(m_rows.size()) - 1;
    const int current = m_keyRow ? rowIndex(*m_keyRow) : -1;
    int target = current;
    switch (key) {
    case Qt::Key_Up: target = current < 0 ? last : current - 1; break;
    case Qt::Key_Down: target = current + 1; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = last; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // A page is the table's height: the row that far above or below the current one.
        const int from = std::max(0, current);
        const Row& row = m_rows[size_t(from)];
        const double y = key == Qt::Key_PageDown ? row.top + height() : row.top - height();
        auto it = std::lower_bound(m_rows.begin(), m_rows.end(), y,
                                   [](const Row& r, double at) { return r.top + r.height <= at; });
        target = int(it - m_rows.begin());
        if (key == Qt::Key_PageUp && target == from && from > 0)
            target = from - 1;
        if (key == Qt::Key_PageDown && target == from)
            target = from + 1;
        break;
    }
    default: return false;
    }
    target = std::clamp(target, 0, last);
    moveKeyboardRowTo(m_rows[size_t(target)].path);
    return true;
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace: {
        if (m_confirming) {
            commitDeletion(*m_confirming);
            return;
        }
        const auto target = m_keyRow ? m_keyRow : m_selected;
        if (target && canEdit(*target)) {
            showDeleteConfirmation(*target);
            return;
        }
        break;
    }
    case Qt::Key_Escape:
        if (m_confirming) {
            hideDeleteConfirmation();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The red button in front takes Return; otherwise the row opens as a tap opens it.
        if (m_confirming) {
            commitDeletion(*m_confirming);
            return;
        }
        const auto target = m_keyRow ? m_keyRow : m_selected;
        if (target && m_allowsSelection && rowIndex(*target) >= 0) {
            setShowsFocusRing(true);
            activateRowAtIndexPath(*target);
            return;
        }
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        if (moveKeyboardRow(event->key())) {
            setShowsFocusRing(true);
            return;
        }
        break;
    default:
        break;
    }
    ScrollView::keyPressEvent(event);
}

void TableView::focusInEvent(QFocusEvent* event)
{
    ScrollView::focusInEvent(event);
    const bool byKey = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byKey && !m_keyRow) {
        // The keys start on the first row in view (nothing is selected until one is pressed).
        const QList<IndexPath> shown = indexPathsForVisibleRows();
        if (!shown.isEmpty())
            m_keyRow = shown.first();
        else if (!m_rows.empty())
            m_keyRow = m_rows.front().path;
    }
    setShowsFocusRing(byKey);
}

void TableView::focusOutEvent(QFocusEvent* event)
{
    ScrollView::focusOutEvent(event);
    setShowsFocusRing(false);
}

void TableView::setShowsFocusRing(bool shows)
{
    m_showsRing = shows;
    placeFocusRing();
}

void TableView::placeFocusRing()
{
    const bool wanted = m_showsRing && hasFocus() && m_keyRow && rowIndex(*m_keyRow) >= 0;
    if (!wanted) {
        if (m_focusRing)
            m_focusRing->hide();
        return;
    }
    if (!m_focusRing) {
        m_focusRing = new FocusRing(contentView());
        m_focusRing->setObjectName(QStringLiteral("tableFocusRing"));
    }
    m_focusRing->setGeometry(rectForRowAtIndexPath(*m_keyRow).toAlignedRect());
    m_focusRing->show();
    m_focusRing->raise();
}

TableViewCell* TableView::cellForReading(const IndexPath& path, bool* borrowed)
{
    *borrowed = false;
    if (TableViewCell* cell = m_visible.value(path))
        return cell;
    if (!m_dataSource || rowIndex(path) < 0)
        return nullptr;
    TableViewCell* cell = m_dataSource->cellForRowAtIndexPath(this, path);
    if (!cell)
        return nullptr;
    adopt(cell);
    cell->hide();
    cell->resize(width(), int(rectForRowAtIndexPath(path).height()));
    *borrowed = true;
    return cell;
}

QString TableView::accessibilityLabelForRowAtIndexPath(const IndexPath& indexPath)
{
    bool borrowed = false;
    TableViewCell* cell = cellForReading(indexPath, &borrowed);
    if (!cell)
        return {};
    const QString text = cell->accessibleName().isEmpty() ? cell->accessibilityLabel() : cell->accessibleName();
    if (borrowed)
        enqueue(cell);
    return text;
}

QString TableView::accessibilityHintForRowAtIndexPath(const IndexPath& indexPath)
{
    bool borrowed = false;
    TableViewCell* cell = cellForReading(indexPath, &borrowed);
    if (!cell)
        return {};
    const QString text = cell->accessibleDescription().isEmpty() ? cell->accessibilityHint() : cell->accessibleDescription();
    if (borrowed)
        enqueue(cell);
    return text;
}
