#include "views/LoadMoreItemView.h"

#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"

#include <QPainter>

namespace {
const bool registered = [] {
    InterfaceLayout::registerClass(QStringLiteral("LoadMoreItemView"),
                                   [](QWidget* parent) -> QWidget* { return LoadMoreItemView::createEmpty(parent); });
    return true;
}();
} // namespace

LoadMoreItemView::LoadMoreItemView(QWidget* parent, Empty) : QWidget(parent)
{
    Q_UNUSED(registered);
    // Presses fall through to the table, which selects the row.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(320, 36);
}

LoadMoreItemView::LoadMoreItemView(QWidget* parent) : LoadMoreItemView(parent, Empty{})
{
    InterfaceLayout::load(QStringLiteral("LoadMoreItem"), this);
}

LoadMoreItemView* LoadMoreItemView::createEmpty(QWidget* parent)
{
    return new LoadMoreItemView(parent, Empty{});
}

Label* LoadMoreItemView::pageLbl()
{
    if (!m_pageLbl)
        m_pageLbl = findChild<Label*>(QStringLiteral("pageLbl"));
    return m_pageLbl;
}

void LoadMoreItemView::paintEvent(QPaintEvent*)
{
    // The rows' own background, so the last row reads as one of them.
    QPainter(this).fillRect(rect(), QColor(34, 34, 34));
}
