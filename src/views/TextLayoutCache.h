#pragma once

#include "platform/ui/GraphicsContext.h"

#include <QFont>
#include <QStaticText>
#include <QString>

class QPainter;

// Row texts laid out once and drawn from then on as prepared glyphs. Laying out a line
// (shaping it, measuring it, cutting it to its width with an ellipsis) costs far more than
// drawing it, and a list draws the same texts again and again: on every scroll step, on
// highlighting, and when a reused cell shows a row it showed before. Lines are kept per text,
// font, width and cut mode; the least recently used go first. The pixels are those of
// GraphicsContext::drawText. GUI thread only.
class TextLayoutCache
{
public:
    // How GraphicsContext::drawText(text, point, font) draws: one line, never cut.
    static constexpr double kUnlimited = -1;

    // Draws the text with its top-left corner at the point, in the painter's pen colour, as
    // GraphicsContext::drawText would within the width (kUnlimited: the whole text); returns
    // the size drawn.
    static QSizeF draw(QPainter* painter, const QString& text, QPointF point, double width, const QFont& font,
                       LineBreakMode mode = LineBreakMode::TailTruncation);
    // The width of the line that draw would show.
    static double lineWidth(const QString& text, double width, const QFont& font,
                            LineBreakMode mode = LineBreakMode::TailTruncation);

    // Lines kept at most.
    static constexpr int kCapacity = 4096;
    static int count();
    static void clear();

    struct Line
    {
        QStaticText text;
        double advance = 0;  // the width drawn
        double ascent = 0;
        double height = 0;   // ascent + descent
    };

private:
    static const Line* line(const QString& text, double width, const QFont& font, LineBreakMode mode);
};
