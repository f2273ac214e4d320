#include "platform/ui/Label.h"

#include "platform/ui/Fonts.h"

#include <QPainter>

#include <cmath>

Label::Label(QWidget* parent) : QWidget(parent), m_font(Fonts::systemFont(17))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

Label::Label(const QString& text, QWidget* parent) : Label(parent)
{
    m_text = text;
}

void Label::setText(const QString& text)
{
    if (text == m_text && text.isNull() == m_text.isNull())
        return;
    m_text = text;
    update();
}

void Label::setFont(const QFont& font)
{
    m_font = font;
    update();
}

void Label::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void Label::setHighlightedTextColor(const QColor& color)
{
    m_highlightedTextColor = color;
    update();
}

void Label::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void Label::setTextAlignment(TextAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void Label::setLineBreakMode(LineBreakMode mode)
{
    m_lineBreakMode = mode;
    update();
}

void Label::setNumberOfLines(int lines)
{
    m_numberOfLines = lines;
    update();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    m_adjustsFontSize = adjusts;
    update();
}

void Label::setMinimumFontSize(double size)
{
    m_minimumFontSize = size;
    update();
}

void Label::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    update();
}

QFont Label::effectiveFont() const
{
    if (!m_adjustsFontSize || m_numberOfLines != 1 || m_text.isEmpty())
        return m_font;
    QFont font = m_font;
    const int minimum = std::max(1, int(std::lround(m_minimumFontSize > 0 ? m_minimumFontSize : 6)));
    while (font.pixelSize() > minimum && GraphicsContext::sizeWithFont(m_text, font).width() > width())
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QSize Label::sizeHint() const
{
    const QSizeF size = GraphicsContext::sizeWithFont(m_text, m_font);
    return {int(std::ceil(size.width())), int(std::ceil(size.height()))};
}

void Label::sizeToFit()
{
    if (m_numberOfLines == 1 || width() <= 0) {
        resize(sizeHint());
        return;
    }
    const QSizeF size = GraphicsContext::sizeWithFont(m_text, m_font, QSizeF(width(), 0), LineBreakMode::WordWrap);
    resize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    GraphicsContext ctx(&painter);
    if (m_background.alpha() > 0) {
        ctx.setFillColor(m_background);
        ctx.fillRect(rect());
    }
    if (m_text.isEmpty())
        return;
    const QFont font = effectiveFont();
    ctx.setFillColor(m_highlighted ? m_highlightedTextColor : m_textColor);
    const double lineHeight = Fonts::lineHeight(font);
    if (m_numberOfLines == 1) {
        const double y = (height() - lineHeight) / 2;
        ctx.drawTextInRect(m_text, QRectF(0, y, width(), lineHeight), font,
                           m_lineBreakMode == LineBreakMode::WordWrap ||
                                   m_lineBreakMode == LineBreakMode::CharacterWrap
                               ? LineBreakMode::TailTruncation
                               : m_lineBreakMode,
                           m_alignment);
        return;
    }
    double maxHeight = height();
    if (m_numberOfLines > 1)
        maxHeight = std::min(maxHeight, m_numberOfLines * lineHeight);
    const LineBreakMode wrap = m_lineBreakMode == LineBreakMode::CharacterWrap ? LineBreakMode::CharacterWrap
                                                                             : LineBreakMode::WordWrap;
    const QSizeF size = GraphicsContext::sizeWithFont(m_text, font, QSizeF(width(), maxHeight), wrap);
    ctx.drawTextInRect(m_text, QRectF(0, (height() - size.height()) / 2, width(), size.height()), font, wrap,
                       m_alignment);
}
