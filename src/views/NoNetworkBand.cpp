#include "views/NoNetworkBand.h"

#include "platform/core/NetworkStatus.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"

#include <QEvent>
#include <QPainter>

NoNetworkBand* NoNetworkBand::install(QWidget* window)
{
    return new NoNetworkBand(window);
}

NoNetworkBand::NoNetworkBand(QWidget* window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("noNetworkBand"));
    // It only tells: taps go to what is below it (a list's last row, its "Try again").
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_message = new Label(this);
    m_message->setTextColor(Qt::white);
    m_message->setBackgroundColor(Qt::transparent);
    m_message->setTextAlignment(TextAlignment::Center);
    m_message->setFont(Fonts::systemFont(12));
    window->installEventFilter(this);
    connect(&NetworkStatus::shared(), &NetworkStatus::changed, this, [this] { follow(); });
    follow();
}

Label* NoNetworkBand::messageLbl() const
{
    return m_message;
}

void NoNetworkBand::follow()
{
    const NetworkStatus& status = NetworkStatus::shared();
    m_message->setText(status.text());
    setAccessibleName(status.text());
    m_message->setAccessibleName(status.text());
    place();
    setVisible(status.isOffline());
    ScrollView::setBottomOverlay(status.isOffline() ? kHeight : 0);
    if (status.isOffline())
        raise();
}

void NoNetworkBand::place()
{
    const QWidget* window = parentWidget();
    setGeometry(0, window->height() - kBottomInset - kHeight, window->width(), kHeight);
    m_message->setGeometry(6, 0, width() - 12, kHeight);
}

bool NoNetworkBand::eventFilter(QObject* watched, QEvent* event)
{
    // Screens come into the window after the band: it stays above them and in its place.
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            place();
        else if (event->type() == QEvent::ChildAdded && isVisible())
            raise();
    }
    return QWidget::eventFilter(watched, event);
}

void NoNetworkBand::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), QColor(150, 30, 30, 235));
}
