#include "platform/ui/TableView.h"

#include "platform/ui/TableViewCell.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

TableView::TableView(TableViewStyle style, QWidget* parent) : ScrollView(parent), m_style(style)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundColor(style == TableViewStyle::Plain ? QColor(Qt::white) : QColor(197, 204, 212));
    contentView()->installEventFilter(this);
}

TableView::~TableView() = default;

void TableView::setSeparatorStyle(TableViewCellSeparatorStyle style)
{
    m_separatorStyle = style;
    layoutCells();
    contentView()->update();
}

void TableView::setSeparatorColor(const QColor& color)
{
    m_separatorColor = color;
    contentView()->update();
}

void TableView::setAllowsSelection(bool allows)
{
    m_allowsSelection = allows;
    if (!allows)
        unhighlightPressed();
}

int TableView::numberOfRowsInSection(int section) const
{
    return section >= 0 && section < int(m_rowCounts.size()) ? m_rowCounts[size_t(section)] : 0;
}

TableViewCell* TableView::dequeueReusableCellWithIdentifier(const QString& identifier)
{
    auto it = m_reusable.find(identifier);
    if (it == m_reusable.end() || it->isEmpty())
        return nullptr;
    TableViewCell* cell = it->takeLast();
    cell->prepareForReuse();
    return cell;
}

int TableView::cellCount() const
{
    int count = int(m_visible.size());
    for (const auto& pool : m_reusable)
        count += int(pool.size());
    return count;
}

void TableView::computeGeometry()
{
    m_rowCounts.clear();
    m_rows.clear();
    double y = 0;
    if (m_dataSource) {
        const int sections = std::max(0, m_dataSource->numberOfSectionsInTableView(this));
        for (int s = 0; s < sections; ++s) {
            const int rows = std::max(0, m_dataSource->numberOfRowsInSection(this, s));
            m_rowCounts.push_back(rows);
            for (int r = 0; r < rows; ++r) {
                const IndexPath path{s, r};
                double h = m_delegate ? m_delegate->heightForRowAtIndexPath(this, path) : -1;
                if (h < 0)
                    h = m_rowHeight;
                m_rows.push_back(Row{path, y, h});
                y += h;
            }
        }
    }
    m_totalHeight = y;
    m_loaded = true;
}

void TableView::updateContentHeight()
{
    const QSizeF wanted(width(), m_totalHeight + totalCollapse());
    if (contentSize() != wanted)
        setContentSize(wanted);
}

int TableView::rowIndex(const IndexPath& path) const
{
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), path,
                               [](const Row& row, const IndexPath& p) { return row.path < p; });
    if (it == m_rows.end() || it->path != path)
        return -1;
    return int(it - m_rows.begin());
}

double TableView::shiftAt(double top) const
{
    double shift = 0;
    for (const Collapse& c : m_collapses)
        if (c.top <= top)
            shift += c.remaining;
    return shift;
}

double TableView::totalCollapse() const
{
    double total = 0;
    for (const Collapse& c : m_collapses)
        total += c.remaining;
    return total;
}

void TableView::reloadData()
{
    finishCollapses();
    hideDeleteConfirmation();
    unhighlightPressed();
    m_selected.reset();
    m_keyRow.reset();
    const auto visible = m_visible;
    m_visible.clear();
    for (TableViewCell* cell : visible)
        enqueue(cell);
    computeGeometry();
    updateContentHeight();
    layoutCells();
    m_rowsUndrawn = isVisible() && !m_visible.isEmpty();
}

void TableView::enqueue(TableViewCell* cell)
{
    cell->hide();
    if (cell->isShowingDeleteConfirmation())
        cell->showDeleteConfirmation(false, QString());
    if (cell->reuseIdentifier().isEmpty()) {
        cell->deleteLater();
        return;
    }
    m_reusable[cell->reuseIdentifier()].append(cell);
}

void TableView::adopt(TableViewCell* cell)
{
    if (cell->parentWidget() != contentView()) {
        cell->setParent(contentView());
        // Its paints tell when rows replaced by reloadData are on the screen.
        cell->installEventFilter(this);
    }
    connect(cell, &TableViewCell::deleteConfirmed, this, &TableView::cellDeleteConfirmed, Qt::UniqueConnection);
}

void TableView::cellDeleteConfirmed(TableViewCell* cell)
{
    if (const auto path = indexPathForCell(cell))
        commitDeletion(*path);
}

void TableView::scrollViewDidScroll()
{
    layoutCells();
}

void TableView::resizeEvent(QResizeEvent* event)
{
    ScrollView::resizeEvent(event);
    if (m_loaded)
        updateContentHeight();
}

void TableView::showEvent(QShowEvent* event)
{
    ScrollView::showEvent(event);
    if (!m_loaded)
        reloadData();
}

void TableView::layoutCells()
{
    if (!m_loaded || m_inLayout)
        return;
    m_inLayout = true;
    const double viewTop = contentOffset().y();
    const double viewBottom = viewTop + height();
    const double separator = m_separatorStyle == TableViewCellSeparatorStyle::SingleLine ? 1 : 0;

    // Rows whose (shifted) rectangle meets the visible band.
    const double slack = totalCollapse();
    auto first = std::lower_bound(m_rows.begin(), m_rows.end(), viewTop - slack,
                                  [](const Row& row, double y) { return row.top + row.height <= y; });
    // In row order, as the data source expects to be asked.
    std::vector<std::pair<const Row*, double>> wanted;
    QSet<IndexPath> wantedPaths;
    for (auto it = first; it != m_rows.end() && it->top <= viewBottom; ++it) {
        const double top = it->top + shiftAt(it->top);
        if (top < viewBottom && top + it->height > viewTop) {
            wanted.emplace_back(&*it, top);
            wantedPaths.insert(it->path);
        }
    }

    for (auto it = m_visible.begin(); it != m_visible.end();) {
        if (!wantedPaths.contains(it.key())) {
            enqueue(it.value());
            it = m_visible.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [rowPtr, top] : wanted) {
        const Row& row = *rowPtr;
        const IndexPath path = row.path;
        TableViewCell* cell = m_visible.value(path);
        if (!cell) {
            cell = m_dataSource->cellForRowAtIndexPath(this, path);
            if (!cell)
                cell = new TableViewCell(TableViewCellStyle::Default, QString());
            adopt(cell);
            cell->setHighlighted(m_pressed && *m_pressed == path);
            cell->setSelected(m_selected && *m_selected == path);
            cell->showDeleteConfirmation(m_confirming && *m_confirming == path,
                                         m_delegate ? m_delegate->titleForDeleteConfirmationButtonForRowAtIndexPath(this, path)
                                                    : QStringLiteral("Delete"));
            m_visible.insert(path, cell);
        }
        cell->setGeometry(0, int(std::lround(top)), width(),
                          std::max(0, int(std::lround(row.height - separator))));
        cell->show();
    }

    // Deleted rows fading out while the rows below close the gap over them.
    double before = 0;
    for (size_t i = 0; i < m_collapses.size(); ++i) {
        const Collapse& c = m_collapses[i];
        before = 0;
        for (size_t k = 0; k < i; ++k)
            if (m_collapses[k].top <= c.top)
                before += m_collapses[k].remaining;
        if (c.ghost) {
            c.ghost->setGeometry(0, int(std::lround(c.top + before)), width(), int(std::lround(c.original - separator)));
            c.ghost->show();
            c.ghost->lower();
        }
    }
    placeFocusRing();
    contentView()->update();
    m_inLayout = false;
}

bool TableView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched != contentView())
        m_rowsUndrawn = false;
    if (watched == contentView() && event->type() == QEvent::Paint &&
        m_separatorStyle == TableViewCellSeparatorStyle::SingleLine) {
        QPainter painter(contentView());
        for (auto it = m_visible.cbegin(); it != m_visible.cend(); ++it) {
            const QRect r = it.value()->geometry();
            painter.fillRect(QRect(r.left(), r.bottom() + 1, r.width(), 1), m_separatorColor);
        }
    }
    return ScrollView::eventFilter(watched, event);
}

TableViewCell* TableView::cellForRowAtIndexPath(const IndexPath& indexPath) const
{
    return m_visible.value(indexPath);
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell* cell) const
{
    for (auto it = m_visible.cbegin(); it != m_visible.cend(); ++it)
        if (it.value() == cell)
            return it.key();
    return std::nullopt;
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(QPointF point) const
{
    for (const Row& row : m_rows) {
        const double top = row.top + shiftAt(row.top);
        if (point.y() >= top && point.y() < top + row.height && point.x() >= 0 && point.x() < width())
            return row.path;
    }
    return std::nullopt;
}

QRectF TableView::rectForRowAtIndexPath(const IndexPath& indexPath) const
{
    const int i = rowIndex(indexPath);
    if (i < 0)
        return {};
    const Row& row = m_rows[size_t(i)];
    return {0, row.top + shiftAt(row.top), double(width()), row.height};
}

QList<TableViewCell*> TableView::visibleCells() const
{
    QList<TableViewCell*> cells;
    for (const IndexPath& path : indexPathsForVisibleRows())
        cells.append(m_visible.value(path));
    return cells;
}

QList<IndexPath> TableView::indexPathsForVisibleRows() const
{
    QList<IndexPath> paths = m_visible.keys();
    std::sort(paths.begin(), paths.end());
    return paths;
}

void TableView::selectRowAtIndexPath(const IndexPath& indexPath, bool animated, TableViewScrollPosition position)
{
    if (m_selected && *m_selected != indexPath)
        if (TableViewCell* old = m_visible.value(*m_selected))
            old->setSelected(false, false);
    if (rowIndex(indexPath) < 0) {
        m_selected.reset();
        return;
    }
    m_selected = indexPath;
    if (TableViewCell* cell = m_visible.value(indexPath))
        cell->setSelected(true, animated);
    if (position != TableViewScrollPosition::None)
        scrollToRowAtIndexPath(indexPath, position, animated);
}

void TableView::deselectRowAtIndexPath(const IndexPath& indexPath, bool animated)
{
    if (TableViewCell* cell = m_visible.value(indexPath))
        cell->setSelected(false, animated);
    if (m_selected && *m_selected == indexPath)
        m_selected.reset();
}

void TableView::scrollToRowAtIndexPath(const IndexPath& indexPath, TableViewScrollPosition position, bool animated)
{
    const QRectF r = rectForRowAtIndexPath(indexPath);
    if (r.isNull())
        return;
    const double maxY = maximumContentOffset().y();
    double y = contentOffset().y();
    switch (position) {
    case TableViewScrollPosition::Top: y = r.top(); break;
    case TableViewScrollPosition::Middle: y = r.center().y() - height() / 2.0; break;
    case TableViewScrollPosition::Bottom: y = r.bottom() - height(); break;
    case TableViewScrollPosition::None:
        scrollRectToVisible(r, animated);
        return;
    }
    setContentOffset(QPointF(0, std::clamp(y, 0.0, maxY)), animated);
}

void TableView::scrollToTop(bool animated)
{
    setContentOffset(QPointF(0, 0), animated);
}

void TableView::unhighlightPressed()
{
    if (m_pressed)
        if (TableViewCell* cell = m_visible.value(*m_pressed))
            cell->setHighlighted(false);
    m_pressed.reset();
}

bool TableView::shouldBeginScrollDrag(QPointF delta)
{
    const std::optional<IndexPath> pressed = m_pressed ? m_pressed : m_keyRow;
    unhighlightPressed();
    if (std::abs(delta.x()) > 1.5 * std::abs(delta.y())) {
        // A horizontal swipe: leftwards shows the delete button, rightwards hides it.
        if (delta.x() < 0 && pressed)
            showDeleteConfirmation(*pressed);
        else
            hideDeleteConfirmation();
        return false;
    }
    return true;
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    setShowsFocusRing(false);
    ScrollView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const auto row = indexPathForRowAtPoint(event->position() + contentOffset());
    if (m_confirming) {
        // A tap beside the confirmation button only takes the button away.
        hideDeleteConfirmation();
        m_swallowRelease = true;
        m_keyRow = row;
        return;
    }
    m_swallowRelease = false;
    m_keyRow = row;
    if (m_allowsSelection && row && !m_rowsUndrawn) {
        m_pressed = row;
        if (TableViewCell* cell = m_visible.value(*row))
            cell->setHighlighted(true);
    }
}

void TableView::mouseReleaseEvent(QMouseEvent* event)
{
    ScrollView::mouseReleaseEvent(event);
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (!m_pressed)
        return;
    const IndexPath pressed = *m_pressed;
    unhighlightPressed();
    const auto row = indexPathForRowAtPoint(event->position() + contentOffset());
    if (row && *row == pressed)
        activateRowAtIndexPath(pressed);
}

void TableView::activateRowAtIndexPath(const IndexPath& indexPath)
{
    if (!m_allowsSelection || rowIndex(indexPath) < 0)
        return;
    selectRowAtIndexPath(indexPath, false, TableViewScrollPosition::None);
    if (m_delegate)
        m_delegate->didSelectRowAtIndexPath(this, indexPath);
}

void TableView::contextMenuEvent(QContextMenuEvent* event)
{
    const auto row = indexPathForRowAtPoint(QPointF(event->pos()) + contentOffset());
    if (!row || !canEdit(*row)) {
        event->ignore();
        return;
    }
    unhighlightPressed();
    QMenu menu(this);
    QAction* remove = menu.addAction(QStringLiteral("Delete"));
    if (menu.exec(event->globalPos()) == remove)
        showDeleteConfirmation(*row);
}
