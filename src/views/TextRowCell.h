#pragma once

#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"

#include <QPointer>

class TableView;

// The one-text rows of the download history and the favourite filter list: a label ("name")
// in "Arial-BoldMT" 12, light grey, on the rows' dark background, inside a 36-point row view.
class TextRowCell : public TableViewCell
{
    Q_OBJECT
public:
    static constexpr int kContentHeight = 36;

    // A cell the table hands back for reuse, or a new one.
    static TextRowCell* dequeue(TableView* tableView);

    Label* label() const { return m_label; }
    static QColor textColor();

private:
    TextRowCell();

    QPointer<Label> m_label;
};
