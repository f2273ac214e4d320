#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class Button;
class Label;
class QVariantAnimation;

enum class TableViewCellStyle { Default, Value1, Value2, Subtitle };
enum class TableViewCellSelectionStyle { None, Blue, Gray };
enum class TableViewCellAccessoryType { None, DisclosureIndicator, Checkmark };

// One row of a table. Its contentView holds what the row shows (the textLabel made on first
// use, or the screen's own views); an accessory view, when set, sits at the right end and
// stays tappable above the content. The table reuses cells by their reuse identifier: a cell
// that scrolls away is handed back by dequeueReusableCellWithIdentifier, after
// prepareForReuse. Highlighted (while pressed) and selected rows draw the selection colour of
// their selection style behind the content; labels in the content turn to their highlighted
// colour.
class TableViewCell : public QWidget
{
    Q_OBJECT
public:
    TableViewCell(TableViewCellStyle style, const QString& reuseIdentifier, QWidget* parent = nullptr);
    ~TableViewCell() override;

    QString reuseIdentifier() const { return m_reuseIdentifier; }
    TableViewCellStyle style() const { return m_style; }
    QWidget* contentView() const { return m_contentView; }
    // The text label inside the content view, made on first use.
    Label* textLabel();

    QWidget* accessoryView() const { return m_accessoryView; }
    // The cell takes the view; a previous accessory view is deleted.
    void setAccessoryView(QWidget* view);
    TableViewCellAccessoryType accessoryType() const { return m_accessoryType; }
    void setAccessoryType(TableViewCellAccessoryType type);

    TableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(TableViewCellSelectionStyle style);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool highlighted, bool animated = false);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected, bool animated = false);

    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color);

    // Marks the cell and its content for drawing.
    void setNeedsDisplay();

    // What assistive technology reads for the row: by default the texts of the labels it
    // shows; a row that draws its texts itself says them in a sentence. The hint adds what the
    // row shows besides (empty by default).
    virtual QString accessibilityLabel() const;
    virtual QString accessibilityHint() const { return QString(); }
    virtual void prepareForReuse();
    // Places the content view and the accessory; runs whenever the cell's size changes.
    virtual void layoutSubviews();

    bool isShowingDeleteConfirmation() const { return m_deleteButton && m_showingDelete; }
    // Shown by the table for swipe-to-delete; the button's tap is reported by deleteConfirmed.
    void showDeleteConfirmation(bool show, const QString& title);
    Button* deleteConfirmationButton() const { return m_deleteButton; }

Q_SIGNALS:
    void deleteConfirmed(TableViewCell* cell);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The selection fill (the row's whole rectangle) in the current style.
    void drawSelection(QPainter& painter, double opacity);

private:
    void applyLabelHighlight();
    void setSelectionOpacity(double opacity);

    TableViewCellStyle m_style;
    QString m_reuseIdentifier;
    QWidget* m_contentView;
    Label* m_textLabel = nullptr;
    QWidget* m_accessoryView = nullptr;
    TableViewCellAccessoryType m_accessoryType = TableViewCellAccessoryType::None;
    TableViewCellSelectionStyle m_selectionStyle = TableViewCellSelectionStyle::Blue;
    Button* m_deleteButton = nullptr;
    QVariantAnimation* m_fade = nullptr;
    QColor m_background = Qt::white;
    double m_selectionOpacity = 0;
    bool m_highlighted = false;
    bool m_selected = false;
    bool m_showingDelete = false;
};
