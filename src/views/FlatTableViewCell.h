#pragma once

#include "platform/ui/TableViewCell.h"

#include <QFont>
#include <QRect>

class FlatTableViewCellView;

// The base of the hand-drawn list rows. The row's texts and pictures are plain fields of the
// subclass; one FlatTableViewCellView over the cell draws all of them in one pass through
// drawContentView, so a row is a single widget however much it shows. The drawing view is
// one point lower than the cell: the table's background shows as a line under each row.
class FlatTableViewCell : public TableViewCell
{
    Q_OBJECT
public:
    FlatTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent = nullptr);

    // The drawing view (it stands above the platform cell's own, unused content view).
    FlatTableViewCellView* contentView() const { return m_flatContentView; }

    void setFrame(const QRect& frame);
    void layoutSubviews() override;
    void setHighlighted(bool highlighted, bool animated = false) override;
    void setSelected(bool selected, bool animated = false) override;
    void prepareForReuse() override;
    // Marks the cell and its drawing view for drawing.
    void setNeedsDisplay();

    // Draws the row into the current GraphicsContext (the drawing view's coordinates).
    virtual void drawContentView(const QRectF& rect);

    static QColor rowBackgroundColor();
    static QColor rowTextColor();

    // The row's texts joined into one sentence, empty ones left out.
    static QString sentence(const QStringList& parts);
    // "1 seeder", "12 seeders"; empty for no count.
    static QString counted(const QString& count, const QString& one, const QString& many);

    // The three fonts of a row kind; each subclass makes its own set once, on first use.
    struct RowFonts
    {
        QFont bold;   // "Arial-BoldMT" 12
        QFont large;  // "ArialRoundedMTBold" 19
        QFont small;  // "Arial" 10
        static RowFonts make();
    };

    // What a row draws and where: a text's glyph box (from the top of its capitals to the
    // bottom of its descenders, as wide as the line drawn) or a picture's rectangle. The
    // drawing places everything from these, so a check of the boxes is a check of the row.
    struct Placed
    {
        QString what;
        QRectF box;
    };
    virtual QList<Placed> placedItems() const { return {}; }
    // The glyph box of a line of text drawn with its top-left corner at `at`.
    static QRectF textBox(QPointF at, double advance, const QFont& font);
    // The font, or the same font smaller down to minPixelSize, in which the text fits within
    // the width; the smallest when none does (the drawing then cuts it with an ellipsis).
    static QFont fittingFont(const QString& text, const QFont& font, double width, double minPixelSize);
    // The width of the whole line of the text in the font.
    static double textWidth(const QString& text, const QFont& font);

protected:
    // The common start of every row: the background (none when highlighted or selected) and
    // the text colour made current; returns whether the row is highlighted or selected.
    bool beginRow(const QRectF& rect);
    // The platform's text drawing at a point, within a width, and right-aligned to x.
    static void drawRightAligned(const QString& text, double x, double y, const QFont& font);

private:
    void updateOpaque();

    FlatTableViewCellView* m_flatContentView;
};
