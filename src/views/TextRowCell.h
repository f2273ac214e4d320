#pragma once

#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"

#include <QPointer>

class TableView;

// The one-text rows of the download history and the favourite filter list: a label ("name")
// in "Arial-BoldMT" 12, light grey, on the rows' dark background, inside a 36-point row view;
// with a detail, the text takes the upper line and the detail ("detail", "Arial" 10) the lower.
class TextRowCell : public TableViewCell
{
    Q_OBJECT
public:
    static constexpr int kContentHeight = 36;

    // A cell the table hands back for reuse, or a new one.
    static TextRowCell* dequeue(TableView* tableView);

    Label* label() const { return m_label; }
    // A second, smaller line under the text (the history's sending date); none when empty.
    Label* detailLabel() const { return m_detail; }
    void setDetail(const QString& text);
    // Leaves that many points free at the right end for an accessory view (0: none).
    void reserveRight(int points);
    static QColor textColor();

private:
    TextRowCell();

    QPointer<Label> m_label;
    QPointer<Label> m_detail;
};
