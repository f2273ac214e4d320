#include "platform/ui/SegmentedControl.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/KeyboardFocus.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>

namespace {

// The choice under a segment: drawn by the control, which also takes the taps, so the button
// paints nothing and lets the mouse through.
class Segment : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent*) override {}
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

    // Tab (or the window's first focus) enters a row of segments at the chosen one, as it
    // enters a group of radio buttons.
    void focusInEvent(QFocusEvent* event) override
    {
        QAbstractButton* chosen = group() ? group()->checkedButton() : nullptr;
        const Qt::FocusReason reason = event->reason();
        const bool entering = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                              reason == Qt::ActiveWindowFocusReason;
        if (entering && chosen && chosen != this) {
            chosen->setFocus(event->reason());
            return;
        }
        QRadioButton::focusInEvent(event);
    }
};

// A title shown as it is: no mnemonic, so "&" is no shortcut and readers hear it.
QString plainText(QString title)
{
    return title.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

SegmentedControl::SegmentedControl(const QStringList& items, QWidget* parent)
    : QWidget(parent), m_titles(items), m_group(new QButtonGroup(this))
{
    connect(m_group, &QButtonGroup::idToggled, this, &SegmentedControl::chosen);
    syncSegments();
    resize(std::max(60, int(items.size()) * 70), 30);
}

int SegmentedControl::selectedSegmentIndex() const
{
    return m_group->checkedId(); // -1, kNoSegment, when none is
}

void SegmentedControl::syncSegments()
{
    const QList<QAbstractButton*> buttons = m_group->buttons();
    for (qsizetype i = m_titles.size(); i < buttons.size(); ++i) {
        m_group->removeButton(buttons.at(i));
        delete buttons.at(i);
    }
    for (int i = 0; i < m_titles.size(); ++i) {
        QAbstractButton* button = m_group->button(i);
        if (!button) {
            button = new Segment(this);
            button->setAttribute(Qt::WA_TransparentForMouseEvents);
            KeyboardFocus::install(button);
            m_group->addButton(button, i);
            button->show();
        }
        button->setText(plainText(m_titles.at(i)));
    }
    placeSegments();
}

void SegmentedControl::placeSegments()
{
    for (QAbstractButton* button : m_group->buttons())
        button->setGeometry(segmentRect(m_group->id(button)).toAlignedRect());
}

void SegmentedControl::chosen(int index, bool checked)
{
    update();
    if (checked && !m_byCode)
        Q_EMIT valueChanged(index);
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
    syncSegments();
    update();
}

void SegmentedControl::insertSegmentWithTitle(const QString& title, int index)
{
    // The chosen segment stays chosen when one is put before it.
    const int selected = selectedSegmentIndex();
    index = std::clamp(index, 0, int(m_titles.size()));
    m_titles.insert(index, title);
    syncSegments();
    setSelectedSegmentIndex(selected >= index ? selected + 1 : selected);
}

void SegmentedControl::removeAllSegments()
{
    m_titles.clear();
    syncSegments();
    update();
}

void SegmentedControl::setSelectedSegmentIndex(int index)
{
    m_byCode = true;
    if (QAbstractButton* button = m_group->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = m_group->checkedButton()) {
        // An exclusive group keeps one checked: let go of it for a moment to clear the choice.
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
    m_byCode = false;
    update();
}

void SegmentedControl::setApportionsSegmentWidthsByContent(bool apportioned)
{
    m_apportioned = apportioned;
    placeSegments();
    update();
}

QFont SegmentedControl::titleFont() const
{
    return m_titleFont.value_or(Fonts::boldSystemFont(m_style == Style::Bar ? 13 : 15));
}

void SegmentedControl::setTitleFont(const QFont& font)
{
    m_titleFont = font;
    placeSegments();
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
        if (i == selectedSegmentIndex()) {
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
        p.setPen(bar || i == selectedSegmentIndex() ? QColor(Qt::white) : QColor(80, 80, 80));
        p.drawText(r, Qt::AlignCenter, m_titles.at(i));
        if (const QAbstractButton* button = m_group->button(i)) {
            QPainterPath ring;
            ring.addRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
            KeyboardFocus::paintRing(p, button, ring);
        }
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
    if (!isEnabled() || index == selectedSegmentIndex())
        return;
    if (QAbstractButton* button = m_group->button(index))
        button->setChecked(true); // reported by chosen()
}

void SegmentedControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeSegments();
}

void SegmentedControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Accessibility::nameAfterLabel(this);
}
