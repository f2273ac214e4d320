#pragma once

#include <QWidget>

// The one view that draws a whole row: its paint event hands the dirty rectangle to the
// nearest enclosing FlatTableViewCell's drawContentView (nothing is drawn without one).
class FlatTableViewCellView : public QWidget
{
    Q_OBJECT
public:
    explicit FlatTableViewCellView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
