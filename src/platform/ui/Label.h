#pragma once

#include "platform/ui/GraphicsContext.h"

#include <QColor>
#include <QFont>
#include <QWidget>

// A text view: one line by default, cut at the tail with an ellipsis, centred vertically in its
// frame. Clear background unless one is set. Mouse events pass through to the view beneath.
class Label : public QWidget
{
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    explicit Label(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QFont font() const { return m_font; }
    void setFont(const QFont& font);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);
    QColor highlightedTextColor() const { return m_highlightedTextColor; }
    void setHighlightedTextColor(const QColor& color);
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color);
    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    LineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(LineBreakMode mode);
    // 0: as many lines as the height holds.
    int numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(int lines);
    // One line: the font shrinks (not below the minimum size) until the text fits the width.
    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSize; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    double minimumFontSize() const { return m_minimumFontSize; }
    void setMinimumFontSize(double size);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    // Resizes the label to its text (one line: the text's width and line height).
    void sizeToFit();
    // The font the label draws with after shrinking to fit.
    QFont effectiveFont() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QFont m_font;
    QColor m_textColor = Qt::black;
    QColor m_highlightedTextColor = Qt::white;
    QColor m_background = Qt::transparent;
    TextAlignment m_alignment = TextAlignment::Left;
    LineBreakMode m_lineBreakMode = LineBreakMode::TailTruncation;
    int m_numberOfLines = 1;
    bool m_adjustsFontSize = false;
    double m_minimumFontSize = 0;
    bool m_highlighted = false;
};
