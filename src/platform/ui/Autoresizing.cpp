#include "platform/ui/Autoresizing.h"

#include "platform/ui/ScrollView.h"

#include <QHash>
#include <QRect>
#include <QWidget>

#include <cmath>

namespace {
enum Part : unsigned {
    LeftMargin = 1, Width = 2, RightMargin = 4, TopMargin = 8, Height = 16, BottomMargin = 32, Unknown = 64
};

unsigned parse(const QString& mask)
{
    static const QHash<QString, unsigned> parts{
        {QStringLiteral("FlexibleLeftMargin"), LeftMargin}, {QStringLiteral("FlexibleWidth"), Width},
        {QStringLiteral("FlexibleRightMargin"), RightMargin}, {QStringLiteral("FlexibleTopMargin"), TopMargin},
        {QStringLiteral("FlexibleHeight"), Height}, {QStringLiteral("FlexibleBottomMargin"), BottomMargin}};
    unsigned result = 0;
    const QStringList names = mask.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString& name : names)
        result |= parts.value(name.trimmed(), Unknown);
    return result;
}

// One axis: the view's position and length inside a superview whose length went from `before`
// to `after`.
void follow(int& position, int& length, int before, int after, bool flexibleBefore, bool flexibleLength,
            bool flexibleAfter)
{
    const int change = after - before;
    const int count = int(flexibleBefore) + int(flexibleLength) + int(flexibleAfter);
    if (change == 0 || count == 0)
        return;
    const double margins[3] = {flexibleBefore ? double(position) : 0.0, flexibleLength ? double(length) : 0.0,
                               flexibleAfter ? double(before - position - length) : 0.0};
    const double total = margins[0] + margins[1] + margins[2];
    auto share = [&](int part, bool flexible) {
        if (!flexible)
            return 0;
        return int(std::lround(total > 0 ? change * margins[part] / total : double(change) / count));
    };
    position += share(0, flexibleBefore);
    length += share(1, flexibleLength);
}

void record(QWidget* view, QHash<QWidget*, QSize>& sizes)
{
    sizes.insert(view, view->size());
    for (QObject* child : view->children()) {
        if (child->isWidgetType())
            record(static_cast<QWidget*>(child), sizes);
    }
}

void layOut(QWidget* view, const QHash<QWidget*, QSize>& sizes)
{
    const QSize before = sizes.value(view);
    const QSize after = view->size();
    if (before == after)
        return;
    if (auto* scroll = qobject_cast<ScrollView*>(view); scroll && scroll->contentSize() == QSizeF(before))
        scroll->setContentSize(after);
    for (QObject* object : view->children()) {
        if (!object->isWidgetType())
            continue;
        auto* child = static_cast<QWidget*>(object);
        const unsigned mask = parse(child->property("autoresizingMask").toString());
        if (mask != 0 && !(mask & Unknown)) {
            QRect frame = child->geometry();
            int x = frame.x(), y = frame.y(), w = frame.width(), h = frame.height();
            follow(x, w, before.width(), after.width(), mask & LeftMargin, mask & Width, mask & RightMargin);
            follow(y, h, before.height(), after.height(), mask & TopMargin, mask & Height, mask & BottomMargin);
            child->setGeometry(x, y, w, h);
        }
        layOut(child, sizes);
    }
}
} // namespace

void Autoresizing::resize(QWidget* view, const QSize& size)
{
    QHash<QWidget*, QSize> sizes;
    record(view, sizes);
    view->resize(size);
    layOut(view, sizes);
}

bool Autoresizing::isValidMask(const QString& mask)
{
    return !(parse(mask) & Unknown);
}
