#include "platform/ui/Button.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/KeyboardFocus.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

Button::Button(QWidget* parent) : Button(Type::Custom, parent) {}

Button::Button(Type type, QWidget* parent) : QAbstractButton(parent), m_type(type)
{
    m_font = Fonts::boldSystemFont(15);
    KeyboardFocus::install(this);
    applyTypeDefaults();
    if (type == Type::InfoLight || type == Type::InfoDark)
        resize(18, 19);
    connect(this, &QAbstractButton::pressed, this, [this] { Q_EMIT touchDown(this); });
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT touchUpInside(this); });
    connect(this, &QAbstractButton::released, this, [this] {
        // Only a pointer can end a press off the button: a key's or a reader's press (Qt's
        // animateClick) ends where it started, whatever the pointer is over.
        if (std::exchange(m_pointerPress, false) && !underMouse())
            Q_EMIT touchUpOutside(this);
    });
}

void Button::mousePressEvent(QMouseEvent* event)
{
    m_pointerPress = true;
    QAbstractButton::mousePressEvent(event);
    if (!isDown())
        m_pointerPress = false; // not on the button, or not the left button
}

void Button::setButtonType(Type type)
{
    m_type = type;
    applyTypeDefaults();
    update();
}

void Button::applyTypeDefaults()
{
    // The info button shows no title; readers hear what it opens, unless its screen names it.
    const QString infoName = QStringLiteral("About iTarnvale");
    const bool info = m_type == Type::InfoLight || m_type == Type::InfoDark;
    if (info && accessibleName().isEmpty())
        setAccessibleName(infoName);
    else if (!info && accessibleName() == infoName)
        setAccessibleName({});
    m_titleColors.clear();
    if (m_type == Type::RoundedRect) {
        m_titleColors[State::Normal] = QColor::fromRgbF(0.196f, 0.310f, 0.522f);
        m_titleColors[State::Highlighted] = Qt::white;
    } else {
        m_titleColors[State::Normal] = Qt::white;
    }
}

Button::State Button::currentState() const
{
    if (!isEnabled())
        return State::Disabled;
    if (isDown())
        return State::Highlighted;
    if (m_selected)
        return State::Selected;
    return State::Normal;
}

QImage Button::image(State state) const { return m_images.value(state, m_images.value(State::Normal)); }
void Button::setImage(const QImage& image, State state)
{
    m_images[state] = image;
    update();
}
QImage Button::backgroundImage(State state) const
{
    return m_backgrounds.value(state, m_backgrounds.value(State::Normal));
}
void Button::setBackgroundImage(const QImage& image, State state)
{
    m_backgrounds[state] = image;
    update();
}
QString Button::title(State state) const { return m_titles.value(state, m_titles.value(State::Normal)); }
void Button::setTitle(const QString& title, State state)
{
    m_titles[state] = title;
    // Qt's text carries the title to readers; doubled, an "&" is shown and is no shortcut.
    if (state == State::Normal)
        setText(QString(title).replace(QLatin1Char('&'), QLatin1String("&&")));
    update();
}
QColor Button::titleColor(State state) const
{
    return m_titleColors.value(state, m_titleColors.value(State::Normal));
}
void Button::setTitleColor(const QColor& color, State state)
{
    m_titleColors[state] = color;
    update();
}
void Button::setTitleFont(const QFont& font)
{
    m_font = font;
    update();
}
void Button::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}
void Button::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    update();
}
void Button::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

QSize Button::sizeHint() const
{
    const QImage img = image();
    const QSizeF text = GraphicsContext::sizeWithFont(title(), m_font);
    return QSize(int(std::ceil(img.width() + text.width())) + 12,
                 int(std::ceil(std::max<double>(img.height(), text.height()))) + 8);
}

void Button::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawButton(painter);
    QPainterPath ring;
    ring.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), std::max(3.0, m_cornerRadius), std::max(3.0, m_cornerRadius));
    KeyboardFocus::paintRing(painter, this, ring);
}


void Button::drawInfo(QPainter& painter)
{
    const QColor ink = m_type == Type::InfoLight ? QColor(Qt::white) : QColor(70, 70, 70);
    const double d = std::min(width(), height()) - 2;
    const QRectF circle((width() - d) / 2, (height() - d) / 2, d, d);
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(isDown() ? QColor(ink.red(), ink.green(), ink.blue(), 90) : QColor(Qt::transparent));
    painter.drawEllipse(circle);
    QFont font = Fonts::fontWithName(QStringLiteral("Georgia-Bold"), d * 0.75);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(circle, Qt::AlignCenter, QStringLiteral("i"));
}

void Button::drawButton(QPainter& painter)
{
    GraphicsContext ctx(&painter);
    const State state = currentState();
    const QRectF bounds = rect();
    if (m_type == Type::InfoLight || m_type == Type::InfoDark) {
        drawInfo(painter);
        return;
    }
    if (m_background.alpha() > 0) {
        QPainterPath path;
        path.addRoundedRect(bounds, m_cornerRadius, m_cornerRadius);
        painter.fillPath(path, isDown() ? m_background.darker(130) : m_background);
    }
    const QImage background = backgroundImage(state);
    if (!background.isNull()) {
        ctx.drawImage(bounds, background);
    } else if (m_type == Type::RoundedRect) {
        const QRectF r = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        path.addRoundedRect(r, 9, 9);
        if (isDown()) {
            QLinearGradient fill(r.topLeft(), r.bottomLeft());
            fill.setColorAt(0, QColor(5, 140, 245));
            fill.setColorAt(1, QColor(1, 93, 230));
            painter.fillPath(path, fill);
        } else {
            painter.fillPath(path, Qt::white);
        }
        painter.strokePath(path, QPen(QColor(142, 148, 156), 1));
    }

    QImage img = image(state);
    const bool fallback = !m_images.contains(state);
    double opacity = 1.0;
    if (!img.isNull() && fallback && state == State::Disabled)
        opacity = 0.45;
    const QString text = title(state);
    const QSizeF textSize = GraphicsContext::sizeWithFont(text, m_font);
    QSizeF imgSize = img.isNull() ? QSizeF() : QSizeF(img.size()) / img.devicePixelRatio();
    // A picture larger than the button is scaled down, keeping its proportions.
    const double avail = std::max(1.0, bounds.width() - (text.isEmpty() ? 0 : textSize.width()));
    if (imgSize.width() > avail || imgSize.height() > bounds.height()) {
        const double s = std::min(avail / imgSize.width(), bounds.height() / imgSize.height());
        imgSize *= s;
    }
    const double total = imgSize.width() + (text.isEmpty() ? 0 : textSize.width());
    double x = (bounds.width() - total) / 2;
    if (!img.isNull()) {
        const QRectF target(x, (bounds.height() - imgSize.height()) / 2, imgSize.width(), imgSize.height());
        painter.save();
        painter.setOpacity(opacity);
        ctx.drawImage(target, img);
        if (isDown() && fallback && m_adjustsWhenHighlighted) {
            // No picture of its own for the pressed state: darken the normal one.
            QImage shade(img.size(), QImage::Format_ARGB32_Premultiplied);
            // Pixel for pixel over the picture, whatever its device pixel ratio.
            shade.setDevicePixelRatio(img.devicePixelRatio());
            shade.fill(Qt::transparent);
            QPainter sp(&shade);
            sp.drawImage(0, 0, img);
            sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            sp.fillRect(shade.rect(), QColor(0, 0, 0, 110));
            sp.end();
            ctx.drawImage(target, shade);
        }
        painter.restore();
        x += imgSize.width();
    }
    if (!text.isEmpty()) {
        QColor color = titleColor(state);
        if (state == State::Disabled && !m_titleColors.contains(State::Disabled))
            color.setAlphaF(color.alphaF() * 0.5f);
        if (state == State::Highlighted && !m_titleColors.contains(State::Highlighted) && m_type == Type::Custom)
            color = color.darker(140);
        ctx.setFillColor(color);
        ctx.drawText(text, QPointF(x, (bounds.height() - textSize.height()) / 2),
                     std::max(1.0, bounds.width() - x), m_font, LineBreakMode::TailTruncation);
    }
}
