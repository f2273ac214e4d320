#pragma once

#include "platform/ui/IndexPath.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"

#include <QHash>
#include <QList>

#include <optional>
#include <vector>

class QVariantAnimation;
class TableViewCell;

enum class TableViewStyle { Plain, Grouped };
enum class TableViewCellSeparatorStyle { None, SingleLine };
enum class TableViewRowAnimation { None, Fade, Right, Left, Top, Bottom, Automatic };
enum class TableViewScrollPosition { None, Top, Middle, Bottom };

// A scrolling list of rows in sections, fed by a data source and a delegate. Only the rows in
// view have cell widgets: a row that scrolls away hands its cell to the reuse pool of its
// identifier, from which cellForRowAtIndexPath takes it back with
// dequeueReusableCellWithIdentifier, so a table of thousands of rows holds a screenful of cells.
// A tap on a row highlights it while pressed and selects it on release (when selection is
// allowed); a row the data source lets edit can be deleted by a leftward swipe, by the Delete
// key on the selected (or last pressed) row, or from its context menu: each shows the red
// confirmation button, whose tap (or a second Delete key) reaches commitEditingStyle.
// The keyboard walks the rows: the arrows, Page Up/Down and Home/End move the selection (shown
// in view), Return opens the row as a tap does; a ring marks the row only when the focus came
// from the keyboard.
class TableView : public ScrollView
{
    Q_OBJECT
public:
    explicit TableView(TableViewStyle style = TableViewStyle::Plain, QWidget* parent = nullptr);
    ~TableView() override;

    TableViewStyle style() const { return m_style; }
    TableViewDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(TableViewDataSource* dataSource) { m_dataSource = dataSource; }
    TableViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(TableViewDelegate* delegate) { m_delegate = delegate; }

    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height) { m_rowHeight = height; }
    TableViewCellSeparatorStyle separatorStyle() const { return m_separatorStyle; }
    void setSeparatorStyle(TableViewCellSeparatorStyle style);
    QColor separatorColor() const { return m_separatorColor; }
    void setSeparatorColor(const QColor& color);
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool allows);

    TableViewCell* dequeueReusableCellWithIdentifier(const QString& identifier);
    void reloadData();
    void deleteRowsAtIndexPaths(const QList<IndexPath>& indexPaths, TableViewRowAnimation animation);

    int numberOfSections() const { return int(m_rowCounts.size()); }
    int numberOfRowsInSection(int section) const;
    // The cell of a row in view, or none.
    TableViewCell* cellForRowAtIndexPath(const IndexPath& indexPath) const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell* cell) const;
    // Content coordinates (the table's own coordinates plus the content offset).
    std::optional<IndexPath> indexPathForRowAtPoint(QPointF point) const;
    QRectF rectForRowAtIndexPath(const IndexPath& indexPath) const;
    QList<TableViewCell*> visibleCells() const;
    QList<IndexPath> indexPathsForVisibleRows() const;

    std::optional<IndexPath> indexPathForSelectedRow() const { return m_selected; }
    void selectRowAtIndexPath(const IndexPath& indexPath, bool animated, TableViewScrollPosition position);
    void deselectRowAtIndexPath(const IndexPath& indexPath, bool animated);
    // What a tap on the row does: selects it (when selection is allowed) and tells the
    // delegate.
    void activateRowAtIndexPath(const IndexPath& indexPath);
    void scrollToRowAtIndexPath(const IndexPath& indexPath, TableViewScrollPosition position, bool animated);
    void scrollToTop(bool animated = false);

    // Swipe-to-delete: the row whose confirmation button shows, if any.
    std::optional<IndexPath> indexPathShowingDeleteConfirmation() const { return m_confirming; }
    void showDeleteConfirmation(const IndexPath& indexPath);
    void hideDeleteConfirmation();

    // How many cells the table has made and keeps (in view and pooled), for checks.
    int cellCount() const;

    // Every row of every section, in order, in view or not (for readers and the keyboard).
    int totalRowCount() const { return int(m_rows.size()); }
    std::optional<IndexPath> indexPathAtRowIndex(int index) const;
    int rowIndexOfIndexPath(const IndexPath& indexPath) const { return rowIndex(indexPath); }
    // The row the keys act on (the last pressed or walked to), if any.
    std::optional<IndexPath> keyboardRow() const { return m_keyRow; }
    // Moves the keys' row there, selects it (where selection is allowed) and shows it.
    void moveKeyboardRowTo(const IndexPath& indexPath);
    // What a reader says for a row: its cell's accessible text; a row out of view gets a
    // cell from the data source for the question, which then goes back to the reuse pool.
    QString accessibilityLabelForRowAtIndexPath(const IndexPath& indexPath);
    QString accessibilityHintForRowAtIndexPath(const IndexPath& indexPath);

protected:
    void scrollViewDidScroll() override;
    bool shouldBeginScrollDrag(QPointF delta) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row
    {
        IndexPath path;
        double top = 0;
        double height = 0;
    };
    struct Collapse
    {
        double top = 0;       // where the deleted row stood, in the new layout
        double original = 0;  // its height
        double remaining = 0; // the height it still takes while it closes
        TableViewCell* ghost = nullptr;
    };

    void computeGeometry();
    void layoutCells();
    void updateContentHeight();
    void enqueue(TableViewCell* cell);
    void adopt(TableViewCell* cell);
    int rowIndex(const IndexPath& path) const;
    double shiftAt(double top) const;
    double totalCollapse() const;
    bool canEdit(const IndexPath& path);
    void commitDeletion(const IndexPath& path);
    void cellDeleteConfirmed(TableViewCell* cell);
    void finishCollapses();
    void unhighlightPressed();
    bool moveKeyboardRow(int key);
    void placeFocusRing();
    void setShowsFocusRing(bool shows);
    // The row's cell in view, or one borrowed from the data source (*borrowed set; give it
    // back with enqueue).
    TableViewCell* cellForReading(const IndexPath& path, bool* borrowed);

    TableViewStyle m_style;
    TableViewDataSource* m_dataSource = nullptr;
    TableViewDelegate* m_delegate = nullptr;
    double m_rowHeight = 44;
    TableViewCellSeparatorStyle m_separatorStyle = TableViewCellSeparatorStyle::SingleLine;
    QColor m_separatorColor = QColor(224, 224, 224);
    bool m_allowsSelection = true;
    bool m_loaded = false;
    bool m_inLayout = false;

    std::vector<int> m_rowCounts;
    std::vector<Row> m_rows;
    double m_totalHeight = 0;
    QHash<IndexPath, TableViewCell*> m_visible;
    QHash<QString, QList<TableViewCell*>> m_reusable;
    std::vector<Collapse> m_collapses;
    QVariantAnimation* m_collapseAnimation = nullptr;

    std::optional<IndexPath> m_selected;
    std::optional<IndexPath> m_pressed;
    std::optional<IndexPath> m_keyRow;
    std::optional<IndexPath> m_confirming;
    bool m_swallowRelease = false;
    // Rows were replaced and none of the new ones has been drawn yet: a press then meets
    // what the screen still shows, the old rows, and opens nothing.
    bool m_rowsUndrawn = false;
    bool m_showsRing = false;
    QWidget* m_focusRing = nullptr;
};
