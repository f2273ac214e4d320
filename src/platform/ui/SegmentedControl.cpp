#include "platform/ui/SegmentedControl.h"

#include "platform/ui/Fonts.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

SegmentedControl::SegmentedControl(const QStringList& items, QWidget* parent) : QWidget(parent), m_titles(items)
{
    resize(std::max(60, int(items.size()) * 70), 30);
}

void SegmentedControl::setSegmentedControlStyle(Style style)
{
    m_style = style;
    update();
}

void SegmentedControl::setTintColor(const QColor& color)
{
    m_tint = color;
    update();
}

void SegmentedControl::setTitle(const QString& title, int index)
{
    if (index >= 0 && index < m_titles.size())
        m_titles[index] = title;
    update();
}

void SegmentedControl::insertSegmentWithTitle(const QString& title, int index)
{
    m_titles.insert(std::clamp(index, 0, int(m_titles.size())), title);
    update();
}

void SegmentedControl::removeAllSegments()
{
    m_titles.clear();
    m_selected = kNoSegment;
    update();
}

void SegmentedControl::setSelectedSegmentIndex(int index)
{
    m_selected = index >= 0 && index < m_titles.size() ? index : kNoSegment;
    update();
}

void SegmentedControl::setApportionsSegmentWidthsByContent(bool apportioned)
{
    m_apportioned = apportioned;
    update();
}

QFont SegmentedControl::titleFont() const
{
    return m_titleFont.value_or(Fonts::boldSystemFont(m_style == Style::Bar ? 13 : 15));
}

void SegmentedControl::setTitleFont(const QFont& font)
{
    m_titleFont = font;
    update();
}

QRectF SegmentedControl::segmentRect(int index) const
{
    const qsizetype count = std::max<qsizetype>(1, m_titles.size());
    if (!m_apportioned) {
        const double w = double(width()) / count;
        return {index * w, 0, w, double(height())};
    }
    const QFontMetricsF metrics(titleFont());
    QList<double> widths;
    double titles = 0;
    for (const QString& title : m_titles) {
        widths.append(metrics.horizontalAdvance(title));
        titles += widths.last();
    }
    // What the titles leave is shared out equally (taken equally when they are too wide).
    const double share = (width() - titles) / count;
    double left = 0;
    for (int i = 0; i < index && i < widths.size(); ++i)
        left += widths.at(i) + share;
    return {left, 0, widths.value(index) + share, double(height())};
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = m_style == Style::Bar ? 5 : 8;
    QPainterPath outline;
    outline.addRoundedRect(bounds, radius, radius);
    const bool bar = m_style == Style::Bar;
    const QColor base = bar ? m_tint : QColor(250, 250, 250);
    QLinearGradient gloss(0, 0, 0, height());
    gloss.setColorAt(0, base.lighter(bar ? 190 : 100));
    gloss.setColorAt(0.5, base.lighter(bar ? 125 : 100));
    gloss.setColorAt(0.51, base);
    gloss.setColorAt(1, base.darker(bar ? 110 : 105));
    p.fillPath(outline, gloss);
    p.save();
    p.setClipPath(outline);
    for (int i = 0; i < m_titles.size(); ++i) {
        const QRectF r = segmentRect(i);
        if (i == m_selected) {
            const QColor sel = bar ? m_tint.darker(170) : QColor(44, 122, 236);
            QLinearGradient g(0, 0, 0, height());
            g.setColorAt(0, sel.lighter(130));
            g.setColorAt(0.5, sel.lighter(110));
            g.setColorAt(0.51, sel);
            g.setColorAt(1, sel.darker(110));
            p.fillRect(r, g);
        }
        if (i > 0)
            p.fillRect(QRectF(r.left() - 0.5, 0, 1, height()), bar ? QColor(0, 0, 0, 120) : QColor(170, 170, 170));
    }
    p.restore();
    p.setPen(QPen(bar ? QColor(0, 0, 0, 150) : QColor(150, 150, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.setFont(titleFont());
    for (int i = 0; i < m_titles.size(); ++i) {
        const QRectF r = segmentRect(i);
        if (bar) {
            p.setPen(QColor(0, 0, 0, 110));
            p.drawText(r.translated(0, -1), Qt::AlignCenter, m_titles.at(i));
        }
        p.setPen(bar || i == m_selected ? QColor(Qt::white) : QColor(80, 80, 80));
        p.drawText(r, Qt::AlignCenter, m_titles.at(i));
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < m_titles.size(); ++i) {
        if (segmentRect(i).contains(event->position())) {
            tapSegment(i);
            return;
        }
    }
}

void SegmentedControl::tapSegment(int index)
{
    if (!isEnabled() || index < 0 || index >= m_titles.size() || index == m_selected)
        return;
    m_selected = index;
    update();
    Q_EMIT valueChanged(index);
}
