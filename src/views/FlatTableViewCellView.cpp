#include "views/FlatTableViewCellView.h"

#include "platform/ui/GraphicsContext.h"
#include "views/FlatTableViewCell.h"

#include <QPaintEvent>
#include <QPainter>

FlatTableViewCellView::FlatTableViewCellView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("flatContentView"));
}

void FlatTableViewCellView::paintEvent(QPaintEvent* event)
{
    for (QWidget* view = this; view; view = view->parentWidget()) {
        if (auto* cell = qobject_cast<FlatTableViewCell*>(view)) {
            QPainter painter(this);
            GraphicsContext context(&painter);
            cell->drawContentView(QRectF(event->rect()));
            return;
        }
    }
}
