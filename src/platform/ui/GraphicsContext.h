#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// How a text that does not fit its width is cut.
enum class LineBreakMode { WordWrap, CharacterWrap, Clip, HeadTruncation, TailTruncation, MiddleTruncation };
enum class TextAlignment { Left, Center, Right };
// The blend modes pictures and fills are drawn with; Normal is source-over.
enum class BlendMode {
    Normal, Multiply, Screen, Overlay, Darken, Lighten, ColorDodge, ColorBurn, SoftLight, HardLight,
    Difference, Exclusion, Clear, Copy, SourceIn, SourceOut, SourceAtop, DestinationOver,
    DestinationIn, DestinationOut, DestinationAtop, Xor, PlusLighter
};
enum class PathDrawingMode { Fill, EOFill, Stroke, FillStroke, EOFillStroke };

// The geometry of an arc between two tangent lines (see GraphicsContext::addArcToPoint).
struct TangentArc
{
    bool isLine = false;   // degenerate (collinear points, zero radius): a straight line to p1
    QPointF tangentStart;  // where the arc touches the line from the current point to p1
    QPointF tangentEnd;    // where it touches the line from p1 to p2
    QPointF center;
    double radius = 0;
    // In QPainterPath's convention: degrees, 0 at three o'clock, counter-clockwise on screen.
    double startAngle = 0;
    double sweepLength = 0;
};

// A drawing context over a QPainter with the phone's drawing model: a fill and a stroke colour,
// a line width, one current path built with move/line/tangent-arc/close and consumed by fill or
// stroke, pictures drawn into rectangles with a blend mode and an opacity, and texts drawn at
// points with the fill colour. Coordinates are points with the origin at the top left, as in
// a view's drawing. A context made for a painter becomes the current context until it is
// destroyed, so drawing code reached from a paint event can ask for GraphicsContext::current().
class GraphicsContext
{
public:
    explicit GraphicsContext(QPainter* painter);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    static GraphicsContext* current();
    QPainter* painter() const { return m_painter; }

    // Off-screen picture contexts: begin makes one of the size (points x scale pixels, cleared
    // to transparent, or black when opaque) and makes it current; the picture can be taken at
    // any time; end drops it and makes the previous context current again.
    static void beginImageContext(QSizeF size, bool opaque = false, double scale = 1.0);
    static QImage imageFromCurrentImageContext();
    static void endImageContext();

    void saveGState();
    void restoreGState();
    void translateCTM(double dx, double dy);
    void scaleCTM(double sx, double sy);
    void rotateCTM(double radians);

    void setFillColor(const QColor& color);
    void setRGBFillColor(double r, double g, double b, double a = 1.0);
    void setStrokeColor(const QColor& color);
    void setRGBStrokeColor(double r, double g, double b, double a = 1.0);
    QColor fillColor() const { return m_state.fill; }
    QColor strokeColor() const { return m_state.stroke; }
    void setLineWidth(double width);
    double lineWidth() const { return m_state.lineWidth; }
    void setAlpha(double alpha);
    void setBlendMode(BlendMode mode);
    void setShouldAntialias(bool antialias);

    void fillRect(const QRectF& rect);
    void strokeRect(const QRectF& rect);
    // Makes the pixels of the rectangle transparent.
    void clearRect(const QRectF& rect);

    void beginPath();
    void moveToPoint(double x, double y);
    void addLineToPoint(double x, double y);
    // A line from the current point towards (x1, y1), then an arc of the radius tangent to the
    // lines current->(x1, y1) and (x1, y1)->(x2, y2); the arc ends at its second tangent point,
    // which becomes the current point. Collinear points or a zero radius give a line to
    // (x1, y1). Without a current point the path starts at (x1, y1).
    void addArcToPoint(double x1, double y1, double x2, double y2, double radius);
    // A circular arc around (x, y) from startAngle to endAngle (radians, measured from the
    // positive x axis towards positive y, that is clockwise on screen when clockwise is false
    // in the phone's flipped view coordinates).
    void addArc(double x, double y, double radius, double startAngle, double endAngle, bool clockwise);
    void addRect(const QRectF& rect);
    void addEllipseInRect(const QRectF& rect);
    void closePath();
    bool isPathEmpty() const { return m_path.isEmpty(); }
    QPointF pathCurrentPoint() const { return m_path.currentPosition(); }
    const QPainterPath& path() const { return m_path; }
    // Fill and stroke consume the current path.
    void fillPath();
    void strokePath();
    void drawPath(PathDrawingMode mode);

    static TangentArc tangentArc(QPointF p0, QPointF p1, QPointF p2, double radius);

    // The picture stretched upright into the rectangle (the phone's "draw in rect").
    void drawImage(const QRectF& rect, const QImage& image);
    void drawImage(const QRectF& rect, const QImage& image, BlendMode mode, double alpha);
    // The low-level picture draw: the picture's first row lands at the rectangle's bottom edge
    // of user space, so in a view's top-left coordinates it comes out upside down unless the
    // caller flips the context first (translate by (0, h), scale by (1, -1)), as on the phone.
    void drawImageBottomUp(const QRectF& rect, const QImage& image);

    // Texts are drawn with the fill colour; a point is the top-left corner of the first line.
    QSizeF drawText(const QString& text, QPointF point, const QFont& font);
    // One line within the width, cut as the mode says (word wrap and character wrap keep the
    // part that fits, the truncation modes add an ellipsis). Returns the size drawn.
    QSizeF drawText(const QString& text, QPointF point, double width, const QFont& font,
                    LineBreakMode mode);
    // Several lines within the rectangle: wrap modes break lines, the others keep one line.
    QSizeF drawTextInRect(const QString& text, const QRectF& rect, const QFont& font,
                          LineBreakMode mode, TextAlignment alignment = TextAlignment::Left);

    // Width and line height of a text on one line.
    static QSizeF sizeWithFont(const QString& text, const QFont& font);
    // The size one line within the width takes.
    static QSizeF sizeWithFont(const QString& text, const QFont& font, double width, LineBreakMode mode);
    // The size of the lines within the size (height 0 or less: unlimited).
    static QSizeF sizeWithFont(const QString& text, const QFont& font, QSizeF constrained, LineBreakMode mode);
    // What one line of the text within the width shows.
    static QString fitLine(const QString& text, const QFont& font, double width, LineBreakMode mode);

private:
    struct State
    {
        QColor fill = Qt::black;
        QColor stroke = Qt::black;
        double lineWidth = 1.0;
        double alpha = 1.0;
        BlendMode blend = BlendMode::Normal;
    };

    void applyBlend(BlendMode mode);
    void ensureCurrentPoint(double x, double y);

    QPainter* m_painter;
    State m_state;
    std::vector<State> m_saved;
    QPainterPath m_path;
    bool m_hasCurrentPoint = false;
};
