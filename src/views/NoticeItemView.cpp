#include "views/NoticeItemView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/Label.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;

const QFont& messageFont()
{
    static const QFont font = Fonts::systemFont(17);
    return font;
}
} // namespace

NoticeItemView::NoticeItemView(QWidget* parent)
    : QWidget(parent)
{
    resize(320, kHeight);
    m_message = new Label(this);
    m_message->setFont(messageFont());
    m_message->setTextColor(QColor(230, 230, 230));
    m_message->setBackgroundColor(Qt::transparent);
    m_message->setNumberOfLines(0);
    m_message->setLineBreakMode(LineBreakMode::WordWrap);
    m_message->setTextAlignment(TextAlignment::Center);

    m_button = new Button(Button::Type::RoundedRect, this);
    m_button->setAccessibleName(QStringLiteral("Notice action"));
    connect(m_button, &Button::touchUpInside, this, [this] { Q_EMIT actionTapped(); });
    layOut();
}

Label* NoticeItemView::messageLbl() const
{
    return m_message;
}

Button* NoticeItemView::actionBtn() const
{
    return m_button;
}

int NoticeItemView::heightFor(const QString& message, const QString& buttonTitle, int width)
{
    const QSizeF text = GraphicsContext::sizeWithFont(message, messageFont(), QSizeF(std::max(1, width - 2 * kMargin), 0),
                                                      LineBreakMode::WordWrap);
    const int below = buttonTitle.isEmpty() ? kMargin / 2 : kButtonHeight + 3 * kMargin / 2;
    return std::max(kHeight, kMargin / 2 + int(std::ceil(text.height())) + below);
}

void NoticeItemView::setNotice(const QString& message, const QString& buttonTitle)
{
    m_message->setText(message);
    m_message->setAccessibleName(message);
    m_button->setTitle(buttonTitle);
    m_button->setAccessibleName(buttonTitle);
    m_button->setHidden(buttonTitle.isEmpty());
    // A longer message makes the notice taller rather than lose its end.
    resize(width(), heightFor(message, buttonTitle, width()));
    layOut();
}

void NoticeItemView::layOut()
{
    const bool withButton = m_button && !m_button->isHidden();
    const int textHeight = withButton ? height() - kButtonHeight - 3 * kMargin / 2 : height() - kMargin;
    m_message->setGeometry(kMargin, kMargin / 2, width() - 2 * kMargin, std::max(0, textHeight));
    m_button->setGeometry((width() - kButtonWidth) / 2, height() - kButtonHeight - kMargin / 2, kButtonWidth,
                          kButtonHeight);
}

void NoticeItemView::resizeEvent(QResizeEvent*)
{
    layOut();
}

void NoticeItemView::paintEvent(QPaintEvent*)
{
    // The rows' own background, so the notice reads as part of the list.
    QPainter(this).fillRect(rect(), QColor(34, 34, 34));
}
