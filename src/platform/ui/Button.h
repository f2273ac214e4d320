#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMap>

// A tappable control with a picture, a background picture and a title per state. Its actions
// are signals: touchDown when a press starts on it, touchUpInside when the press ends on it (a
// tap), touchUpOutside when it ends elsewhere. Tab gives it the focus; Space and Return press it. A tag identifies it to a shared action.
class Button : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Type { Custom, RoundedRect, InfoLight, InfoDark };
    enum class State { Normal, Highlighted, Disabled, Selected };

    explicit Button(QWidget* parent = nullptr);
    explicit Button(Type type, QWidget* parent = nullptr);

    Type buttonType() const { return m_type; }
    // For buttons made before their type is known (forms): the type's title colours, the
    // size stays.
    void setButtonType(Type type);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The state's value, falling back to the normal one.
    QImage image(State state = State::Normal) const;
    void setImage(const QImage& image, State state = State::Normal);
    QImage backgroundImage(State state = State::Normal) const;
    void setBackgroundImage(const QImage& image, State state = State::Normal);
    QString title(State state = State::Normal) const;
    void setTitle(const QString& title, State state = State::Normal);
    QColor titleColor(State state = State::Normal) const;
    void setTitleColor(const QColor& color, State state = State::Normal);
    QString currentTitle() const { return title(currentState()); }
    QFont titleFont() const { return m_font; }
    void setTitleFont(const QFont& font);

    // A plain fill behind everything (clear by default), with rounded corners.
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return m_background; }
    void setCornerRadius(double radius);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    bool isHighlighted() const { return isDown(); }
    bool adjustsImageWhenHighlighted() const { return m_adjustsWhenHighlighted; }
    void setAdjustsImageWhenHighlighted(bool adjusts) { m_adjustsWhenHighlighted = adjusts; }
    State currentState() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void touchDown(Button* sender);
    void touchUpInside(Button* sender);
    void touchUpOutside(Button* sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The button as the platform draws it: background, picture, title.
    void drawButton(QPainter& painter);

private:
    void drawInfo(QPainter& painter);
    void applyTypeDefaults();

    Type m_type = Type::Custom;
    int m_tag = 0;
    QMap<State, QImage> m_images;
    QMap<State, QImage> m_backgrounds;
    QMap<State, QString> m_titles;
    QMap<State, QColor> m_titleColors;
    QFont m_font;
    QColor m_background = Qt::transparent;
    double m_cornerRadius = 0;
    bool m_selected = false;
    bool m_pointerPress = false; // the press under way came from a pointer
    bool m_adjustsWhenHighlighted = true;
};
