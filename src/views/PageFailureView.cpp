#include "views/PageFailureView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kMargin = 12;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 32;
constexpr int kPageTextHeight = 96;
} // namespace

PageFailureView::PageFailureView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageFailure"));
    m_message = new Label(this);
    m_message->setObjectName(QStringLiteral("failureLabel"));
    m_message->setBackgroundColor(Qt::transparent);
    m_message->setNumberOfLines(0);
    m_message->setLineBreakMode(LineBreakMode::WordWrap);
    m_message->setTextAlignment(TextAlignment::Center);

    m_button = new Button(Button::Type::RoundedRect, this);
    m_button->setObjectName(QStringLiteral("tryAgainButton"));
    connect(m_button, &Button::touchUpInside, this, [this] { Q_EMIT actionTapped(); });
    setBand(false);
}

Label* PageFailureView::messageLbl() const
{
    return m_message;
}

Button* PageFailureView::actionBtn() const
{
    return m_button;
}

void PageFailureView::setFailure(const QString& message, const QString& buttonTitle)
{
    m_message->setText(message);
    m_message->setAccessibleName(message);
    setAccessibleName(message);
    m_button->setTitle(buttonTitle);
    m_button->setAccessibleName(buttonTitle);
    m_button->setHidden(buttonTitle.isEmpty());
    layOut();
}

void PageFailureView::setBand(bool band)
{
    m_band = band;
    // A band reads as the dark notice over the page; the page form as a plain page.
    m_message->setTextColor(band ? QColor(235, 235, 235) : QColor(80, 80, 80));
    setMinimumHeight(band ? kBandHeight : 0);
    setMaximumHeight(band ? kBandHeight : QWIDGETSIZE_MAX);
    layOut();
}

void PageFailureView::layOut()
{
    if (!m_message || !m_button)
        return;
    const bool withButton = !m_button->isHidden();
    const int width = this->width() - 2 * kMargin;
    if (m_band) {
        const int textHeight = withButton ? height() - kButtonHeight - 3 * kMargin / 2 : height() - kMargin;
        m_message->setGeometry(kMargin, kMargin / 2, width, std::max(0, textHeight));
        m_button->setGeometry((this->width() - kButtonWidth) / 2, height() - kButtonHeight - kMargin / 2,
                              kButtonWidth, kButtonHeight);
        return;
    }
    // The text a little above the middle, the button under it.
    const int top = std::max(kMargin, height() / 3 - kPageTextHeight / 2);
    m_message->setGeometry(kMargin, top, width, kPageTextHeight);
    m_button->setGeometry((this->width() - kButtonWidth) / 2, top + kPageTextHeight + kMargin, kButtonWidth,
                          kButtonHeight);
}

void PageFailureView::resizeEvent(QResizeEvent*)
{
    layOut();
}

void PageFailureView::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_band ? QColor(34, 34, 34) : QColor(Qt::white));
}
