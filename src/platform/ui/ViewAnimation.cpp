#include "platform/ui/ViewAnimation.h"

#include <QEasingCurve>
#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include <memory>

namespace {

QPoint offscreen(const QWidget* widget, ViewAnimation::Edge edge)
{
    const QWidget* parent = widget->parentWidget();
    const QSize area = parent ? parent->size() : widget->size();
    const QPoint at = widget->pos();
    switch (edge) {
    case ViewAnimation::Edge::Left:
        return {at.x() - area.width(), at.y()};
    case ViewAnimation::Edge::Right:
        return {at.x() + area.width(), at.y()};
    case ViewAnimation::Edge::Bottom:
        break;
    }
    return {at.x(), at.y() + area.height()};
}

void run(QWidget* widget, QPoint start, QPoint end, QPoint restore, std::function<void()> done)
{
    // Not a child of the widget, so that it can be stopped cleanly when the widget goes.
    auto* animation = new QPropertyAnimation(widget, "pos");
    animation->setDuration(ViewAnimation::kDuration);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(start);
    animation->setEndValue(end);
    QPointer<QWidget> guard(widget);
    auto finished = std::make_shared<bool>(false);
    auto finish = [guard, restore, done, animation, finished] {
        if (*finished)
            return;
        *finished = true;
        animation->stop();
        animation->deleteLater();
        if (guard)
            guard->move(restore);
        if (done)
            done();
    };
    QObject::connect(animation, &QPropertyAnimation::finished, animation, finish);
    // A widget destroyed mid-slide goes with its owner: nothing is left to complete.
    QObject::connect(widget, &QObject::destroyed, animation, [animation, finished] {
        *finished = true;
        animation->disconnect();
        animation->deleteLater();
    });
    widget->move(start);
    animation->start();
}

} // namespace

void ViewAnimation::slideIn(QWidget* widget, Edge from, std::function<void()> done)
{
    if (!widget) {
        if (done)
            done();
        return;
    }
    const QPoint target = widget->pos();
    run(widget, offscreen(widget, from), target, target, std::move(done));
}

void ViewAnimation::slideOut(QWidget* widget, Edge to, std::function<void()> done)
{
    if (!widget) {
        if (done)
            done();
        return;
    }
    const QPoint at = widget->pos();
    run(widget, at, offscreen(widget, to), at, std::move(done));
}
