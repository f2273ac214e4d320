#include "views/UIUnderlinedLabel.h"

#include "platform/ui/GraphicsContext.h"
#include "platform/ui/InterfaceLayout.h"

#include <QLineF>
#include <QPainter>

namespace {
// Interface layouts name the class of the buttons that underline their titles.
const bool registered = [] {
    InterfaceLayout::registerClass(QStringLiteral("UIUnderlinedLabel"),
                                   [](QWidget* parent) -> QWidget* { return new UIUnderlinedLabel(parent); });
    return true;
}();
} // namespace

UIUnderlinedLabel::UIUnderlinedLabel(QWidget* parent) : Button(Type::Custom, parent)
{
    Q_UNUSED(registered);
}

QLineF UIUnderlinedLabel::underline() const
{
    const double w = GraphicsContext::sizeWithFont(currentTitle(), titleFont()).width();
    const double y = height() - 5;
    return QLineF(0, y, w, y);
}

void UIUnderlinedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The widget starts from what its parent drew beneath it, which is what a cleared layer
    // shows; clearing here would punch through the parent's pixels, so nothing is cleared.
    {
        GraphicsContext ctx(&painter);
        ctx.setRGBStrokeColor(1, 1, 1, 1);
        ctx.setLineWidth(1);
        const QLineF line = underline();
        ctx.moveToPoint(line.x1(), line.y1());
        ctx.addLineToPoint(line.x2(), line.y2());
        ctx.strokePath();
    }
    // The platform centres a title; this one sits at the left edge, over its underline.
    const double textWidth = underline().length();
    if (image().isNull() && textWidth < width())
        painter.translate(-(width() - textWidth) / 2, 0);
    drawButton(painter);
}
