#include "views/LoadMoreItemView.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"

#include <QPainter>

namespace {
const QColor kBackground(34, 34, 34);
const QColor kText(204, 204, 204);
}

LoadMoreItemView::LoadMoreItemView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LoadMoreItemView"));
    m_titleLbl = new Label(QStringLiteral("Load more torrents"), this);
    m_titleLbl->setObjectName(QStringLiteral("titleLbl"));
    m_titleLbl->setFont(Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 16));
    m_titleLbl->setTextColor(kText);
    m_pageLbl = new Label(this);
    m_pageLbl->setObjectName(QStringLiteral("pageLbl"));
    m_pageLbl->setFont(Fonts::fontWithName(QStringLiteral("Arial"), 14));
    m_pageLbl->setTextColor(kText);
    m_pageLbl->setTextAlignment(TextAlignment::Right);
    m_pageLbl->setAdjustsFontSizeToFitWidth(true);
    m_pageLbl->setMinimumFontSize(8);
    // Presses fall through to the table, which selects the row.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(320, 36);
}

void LoadMoreItemView::resizeEvent(QResizeEvent*)
{
    const int w = width(), h = height();
    m_titleLbl->setGeometry(40, 0, std::max(0, w - 40 - 104), h);
    m_pageLbl->setGeometry(std::max(0, w - 100), 0, 90, h);
}

void LoadMoreItemView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    // A downward chevron before the title.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kText, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double cy = height() / 2.0;
    p.drawPolyline(QVector<QPointF>{{14, cy - 4}, {20, cy + 3}, {26, cy - 4}});
}
