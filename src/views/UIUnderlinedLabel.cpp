#include "views/UIUnderlinedLabel.h"

#include "platform/ui/GraphicsContext.h"
#include "platform/ui/InterfaceLayout.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLineF>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

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

QString UIUnderlinedLabel::shownTitle() const
{
    return QFontMetricsF(titleFont()).elidedText(currentTitle(), Qt::ElideRight, width());
}

QLineF UIUnderlinedLabel::underline() const
{
    const double w = std::min<double>(GraphicsContext::sizeWithFont(shownTitle(), titleFont()).width(), width());
    const double y = height() - 5;
    return QLineF(0, y, w, y);
}

bool UIUnderlinedLabel::event(QEvent* event)
{
    // A cut title shows whole under the pointer.
    if (event->type() == QEvent::ToolTip && shownTitle() != currentTitle()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), currentTitle(), this);
        return true;
    }
    return Button::event(event);
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
    const QString shown = shownTitle();
    if (image().isNull() && shown != currentTitle()) {
        // Too wide: drawn here, cut at the right edge, rather than centred and cut at both.
        GraphicsContext ctx(&painter);
        ctx.setFillColor(titleColor(currentState()));
        const double y = (height() - GraphicsContext::sizeWithFont(shown, titleFont()).height()) / 2;
        ctx.drawText(shown, QPointF(0, y), width(), titleFont(), LineBreakMode::Clip);
        return;
    }
    // The platform centres a title; this one sits at the left edge, over its underline.
    const double textWidth = underline().length();
    if (image().isNull() && textWidth < width())
        painter.translate(-(width() - textWidth) / 2, 0);
    drawButton(painter);
}
