#include "platform/ui/TableViewCell.h"

#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace {
constexpr int kAccessoryMargin = 10;
constexpr int kIndicatorWidth = 20;
}

TableViewCell::TableViewCell(TableViewCellStyle style, const QString& reuseIdentifier, QWidget* parent)
    : QWidget(parent), m_style(style), m_reuseIdentifier(reuseIdentifier), m_contentView(new QWidget(this))
{
    // Presses fall through the content to the table, which tracks rows itself.
    m_contentView->setObjectName(QStringLiteral("contentView"));
}

TableViewCell::~TableViewCell() = default;

Label* TableViewCell::textLabel()
{
    if (!m_textLabel) {
        m_textLabel = new Label(m_contentView);
        m_textLabel->setObjectName(QStringLiteral("textLabel"));
        m_textLabel->setFont(Fonts::boldSystemFont(20));
        m_textLabel->show();
        layoutSubviews();
    }
    return m_textLabel;
}

void TableViewCell::setAccessoryView(QWidget* view)
{
    if (view == m_accessoryView)
        return;
    delete m_accessoryView;
    m_accessoryView = view;
    if (view) {
        view->setParent(this);
        view->show();
    }
    layoutSubviews();
}

void TableViewCell::setAccessoryType(TableViewCellAccessoryType type)
{
    m_accessoryType = type;
    layoutSubviews();
    update();
}

void TableViewCell::setSelectionStyle(TableViewCellSelectionStyle style)
{
    m_selectionStyle = style;
    applyLabelHighlight();
    update();
}

void TableViewCell::setSelectionOpacity(double opacity)
{
    m_selectionOpacity = opacity;
    update();
}

void TableViewCell::setHighlighted(bool highlighted, bool animated)
{
    Q_UNUSED(animated);
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    if (m_fade)
        m_fade->stop();
    setSelectionOpacity(m_highlighted || m_selected ? 1.0 : 0.0);
    applyLabelHighlight();
    setNeedsDisplay();
}

void TableViewCell::setSelected(bool selected, bool animated)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    if (m_fade)
        m_fade->stop();
    const double target = m_highlighted || m_selected ? 1.0 : 0.0;
    if (animated && isVisible() && target < m_selectionOpacity) {
        // A deselected row lets its selection colour fade out.
        if (!m_fade) {
            m_fade = new QVariantAnimation(this);
            m_fade->setDuration(300);
            connect(m_fade, &QVariantAnimation::valueChanged, this,
                    [this](const QVariant& v) { setSelectionOpacity(v.toDouble()); });
        }
        m_fade->setStartValue(m_selectionOpacity);
        m_fade->setEndValue(target);
        m_fade->start();
    } else {
        setSelectionOpacity(target);
    }
    applyLabelHighlight();
    setNeedsDisplay();
}

void TableViewCell::applyLabelHighlight()
{
    const bool on = (m_highlighted || m_selected) && m_selectionStyle != TableViewCellSelectionStyle::None;
    for (Label* label : m_contentView->findChildren<Label*>())
        label->setHighlighted(on);
}

void TableViewCell::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void TableViewCell::setNeedsDisplay()
{
    update();
    m_contentView->update();
    for (QWidget* child : m_contentView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->update();
}

void TableViewCell::prepareForReuse()
{
    if (m_fade)
        m_fade->stop();
    m_highlighted = false;
    m_selected = false;
    m_selectionOpacity = 0;
    showDeleteConfirmation(false, QString());
    applyLabelHighlight();
}

void TableViewCell::layoutSubviews()
{
    int right = width();
    if (m_showingDelete && m_deleteButton) {
        const QSize size(64, 30);
        m_deleteButton->setGeometry(width() - size.width() - kAccessoryMargin, (height() - size.height()) / 2,
                                    size.width(), size.height());
        m_deleteButton->raise();
        right = m_deleteButton->x() - kAccessoryMargin;
        if (m_accessoryView)
            m_accessoryView->hide();
    } else if (m_accessoryView) {
        const QSize size = m_accessoryView->size();
        m_accessoryView->move(width() - size.width() - kAccessoryMargin, (height() - size.height()) / 2);
        m_accessoryView->show();
        m_accessoryView->raise();
        right = m_accessoryView->x() - kAccessoryMargin;
    } else if (m_accessoryType != TableViewCellAccessoryType::None) {
        right = width() - kIndicatorWidth - kAccessoryMargin;
    }
    m_contentView->setGeometry(0, 0, std::max(0, right), height());
    if (m_textLabel)
        m_textLabel->setGeometry(10, 0, std::max(0, m_contentView->width() - 20), m_contentView->height());
}

void TableViewCell::showDeleteConfirmation(bool show, const QString& title)
{
    if (show && !m_deleteButton) {
        m_deleteButton = new Button(this);
        m_deleteButton->setObjectName(QStringLiteral("deleteConfirmationButton"));
        m_deleteButton->setBackgroundColor(QColor(222, 35, 35));
        m_deleteButton->setCornerRadius(6);
        m_deleteButton->setTitleFont(Fonts::boldSystemFont(14));
        connect(m_deleteButton, &Button::touchUpInside, this, [this] { Q_EMIT deleteConfirmed(this); });
    }
    m_showingDelete = show;
    if (m_deleteButton) {
        if (show)
            m_deleteButton->setTitle(title);
        m_deleteButton->setVisible(show);
    }
    layoutSubviews();
}

void TableViewCell::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}

void TableViewCell::drawSelection(QPainter& painter, double opacity)
{
    if (m_selectionStyle == TableViewCellSelectionStyle::None || opacity <= 0)
        return;
    QLinearGradient fill(0, 0, 0, height());
    if (m_selectionStyle == TableViewCellSelectionStyle::Blue) {
        fill.setColorAt(0, QColor(5, 140, 245));
        fill.setColorAt(1, QColor(1, 93, 230));
    } else {
        fill.setColorAt(0, QColor(186, 186, 186));
        fill.setColorAt(1, QColor(140, 140, 140));
    }
    painter.save();
    painter.setOpacity(opacity);
    painter.fillRect(rect(), fill);
    painter.restore();
}

void TableViewCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_background.alpha() > 0)
        painter.fillRect(rect(), m_background);
    drawSelection(painter, m_selectionOpacity);
    if (m_accessoryType == TableViewCellAccessoryType::None || m_accessoryView || m_showingDelete)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double cx = width() - kAccessoryMargin - kIndicatorWidth / 2.0;
    const double cy = height() / 2.0;
    const bool on = m_selectionOpacity > 0.5 && m_selectionStyle != TableViewCellSelectionStyle::None;
    if (m_accessoryType == TableViewCellAccessoryType::DisclosureIndicator) {
        painter.setPen(QPen(on ? QColor(Qt::white) : QColor(128, 128, 128), 3, Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        QPainterPath chevron;
        chevron.moveTo(cx - 3, cy - 5);
        chevron.lineTo(cx + 2, cy);
        chevron.lineTo(cx - 3, cy + 5);
        painter.drawPath(chevron);
    } else {
        painter.setPen(QPen(on ? QColor(Qt::white) : QColor(50, 79, 133), 2.5, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(cx - 6, cy);
        tick.lineTo(cx - 2, cy + 5);
        tick.lineTo(cx + 6, cy - 6);
        painter.drawPath(tick);
    }
}

QString TableViewCell::accessibilityLabel() const
{
    QStringList parts;
    for (const Label* label : m_contentView->findChildren<Label*>()) {
        if (!label->isHidden() && !label->text().trimmed().isEmpty())
            parts.append(label->text().simplified());
    }
    return parts.join(QStringLiteral(", "));
}
