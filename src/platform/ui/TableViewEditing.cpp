#include "platform/ui/TableView.h"

#include "platform/ui/TableViewCell.h"
#include "platform/ui/WidgetEffect.h"

#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

// Editing the table: the delete confirmation of a row, and rows that collapse out of the list
// while the rows below them move up.

bool TableView::canEdit(const IndexPath& path)
{
    return m_dataSource && rowIndex(path) >= 0 && m_dataSource->canEditRowAtIndexPath(this, path);
}

void TableView::showDeleteConfirmation(const IndexPath& indexPath)
{
    if (!canEdit(indexPath))
        return;
    hideDeleteConfirmation();
    m_confirming = indexPath;
    if (TableViewCell* cell = m_visible.value(indexPath)) {
        cell->showDeleteConfirmation(true, m_delegate ? m_delegate->titleForDeleteConfirmationButtonForRowAtIndexPath(
                                                            this, indexPath)
                                                      : QStringLiteral("Delete"));
    }
}

void TableView::hideDeleteConfirmation()
{
    if (!m_confirming)
        return;
    if (TableViewCell* cell = m_visible.value(*m_confirming))
        cell->showDeleteConfirmation(false, QString());
    m_confirming.reset();
}

void TableView::commitDeletion(const IndexPath& path)
{
    hideDeleteConfirmation();
    if (m_dataSource)
        m_dataSource->commitEditingStyle(this, TableViewCellEditingStyle::Delete, path);
}

void TableView::finishCollapses()
{
    if (m_collapseAnimation) {
        m_collapseAnimation->stop();
        m_collapseAnimation->deleteLater();
        m_collapseAnimation = nullptr;
    }
    for (Collapse& c : m_collapses) {
        if (c.ghost) {
            c.ghost->setGraphicsEffect(nullptr);
            enqueue(c.ghost);
        }
    }
    m_collapses.clear();
}

void TableView::deleteRowsAtIndexPaths(const QList<IndexPath>& indexPaths, TableViewRowAnimation animation)
{
    if (!m_loaded) {
        reloadData();
        return;
    }
    finishCollapses();
    hideDeleteConfirmation();
    unhighlightPressed();

    QList<IndexPath> deleted = indexPaths;
    std::sort(deleted.begin(), deleted.end());
    deleted.erase(std::unique(deleted.begin(), deleted.end()), deleted.end());
    deleted.erase(std::remove_if(deleted.begin(), deleted.end(), [this](const IndexPath& p) { return rowIndex(p) < 0; }),
                  deleted.end());

    const std::vector<int> oldCounts = m_rowCounts;
    const std::vector<Row> oldRows = m_rows;
    computeGeometry();
    // The data must already have lost exactly these rows; anything else is a full reload.
    bool consistent = m_rowCounts.size() == oldCounts.size();
    for (size_t s = 0; consistent && s < oldCounts.size(); ++s) {
        const auto removed = std::count_if(deleted.begin(), deleted.end(), [s](const IndexPath& p) { return p.section == int(s); });
        consistent = m_rowCounts[s] == oldCounts[s] - int(removed);
    }
    if (!consistent) {
        m_rowCounts = oldCounts;
        m_rows = oldRows;
        reloadData();
        return;
    }

    auto newPathOf = [&deleted](const IndexPath& p) {
        const auto before = std::count_if(deleted.begin(), deleted.end(), [&p](const IndexPath& d) {
            return d.section == p.section && d.row < p.row;
        });
        return IndexPath{p.section, p.row - int(before)};
    };
    auto remap = [&](std::optional<IndexPath>& slot) {
        if (!slot)
            return;
        if (std::binary_search(deleted.begin(), deleted.end(), *slot))
            slot.reset();
        else
            slot = newPathOf(*slot);
    };
    remap(m_selected);
    remap(m_keyRow);

    const auto oldVisible = m_visible;
    m_visible.clear();
    QHash<IndexPath, TableViewCell*> ghosts;
    for (auto it = oldVisible.cbegin(); it != oldVisible.cend(); ++it) {
        if (std::binary_search(deleted.begin(), deleted.end(), it.key()))
            ghosts.insert(it.key(), it.value());
        else
            m_visible.insert(newPathOf(it.key()), it.value());
    }

    const bool animate = animation != TableViewRowAnimation::None && isVisible();
    if (!animate) {
        for (TableViewCell* cell : ghosts)
            enqueue(cell);
        updateContentHeight();
        layoutCells();
        return;
    }

    for (const IndexPath& path : deleted) {
        const Row& old = oldRows[size_t(std::find_if(oldRows.begin(), oldRows.end(), [&path](const Row& r) {
                                                return r.path == path;
                                            }) - oldRows.begin())];
        const IndexPath next = newPathOf(path);
        double top = m_totalHeight;
        const int i = rowIndex(next);
        if (i >= 0) {
            top = m_rows[size_t(i)].top;
        } else {
            // Past the end of its section: just after the section's last row.
            for (const Row& r : m_rows)
                if (r.path.section <= next.section)
                    top = r.top + r.height;
                else
                    break;
            if (m_rows.empty() || m_rows.front().path.section > next.section)
                top = 0;
        }
        Collapse c{top, old.height, old.height, ghosts.value(path)};
        if (c.ghost) {
            auto* effect = new WidgetEffect(c.ghost);
            effect->setOpacity(1.0);
            c.ghost->setGraphicsEffect(effect);
        }
        m_collapses.push_back(c);
    }
    m_collapseAnimation = new QVariantAnimation(this);
    m_collapseAnimation->setStartValue(0.0);
    m_collapseAnimation->setEndValue(1.0);
    m_collapseAnimation->setDuration(300);
    connect(m_collapseAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        const double t = v.toDouble();
        for (Collapse& c : m_collapses) {
            c.remaining = c.original * (1.0 - t);
            if (c.ghost)
                if (auto* effect = qobject_cast<WidgetEffect*>(c.ghost->graphicsEffect()))
                    effect->setOpacity(1.0 - t);
        }
        updateContentHeight();
        layoutCells();
    });
    connect(m_collapseAnimation, &QVariantAnimation::finished, this, [this] {
        finishCollapses();
        updateContentHeight();
        layoutCells();
    });
    updateContentHeight();
    layoutCells();
    m_collapseAnimation->start();
}
