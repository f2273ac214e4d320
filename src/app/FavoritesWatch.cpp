#include "app/FavoritesWatch.h"

#include "watch/DesktopNotifier.h"
#include "watch/Watch.h"
#include "watch/WatchSettings.h"

#include <QApplication>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>

FavoritesWatch::FavoritesWatch(std::function<bool()> signedIn, std::function<void()> openFavorites, QObject* parent)
    : QObject(parent)
    , m_openFavorites(std::move(openFavorites))
{
    // No account: while the tabs are shown the app's own renewal answers a lost session.
    m_watch = new Watch([signedIn = std::move(signedIn)] { return WatchSettings::isEnabled() && signedIn(); },
                        [] { return QPair<QString, QString>(); }, this);
    m_notifier = new DesktopNotifier(QDBusConnection::sessionBus(), this);
    connect(m_watch, &Watch::newMatches, this, &FavoritesWatch::found);
    connect(m_notifier, &DesktopNotifier::activated, this, &FavoritesWatch::open);
    // The timer runs all along; a round looks at the switch when it is due. The first round
    // comes a moment after the tabs show, once their own first pages are under way: it
    // tells what came while the app was closed.
    m_watch->setRunning(true);
    QTimer::singleShot(kFirstRoundDelay, m_watch, [watch = m_watch] { watch->scanNow(); });
}

FavoritesWatch::~FavoritesWatch() = default;

void FavoritesWatch::found(const QList<WatchMatch>& matches)
{
    m_unseen += int(matches.size());
    m_notifier->notify(matches);
    updateTray();
}

void FavoritesWatch::open()
{
    if (m_openFavorites)
        m_openFavorites();
    seen();
}

void FavoritesWatch::seen()
{
    if (m_unseen == 0)
        return;
    m_unseen = 0;
    updateTray();
}

void FavoritesWatch::updateTray()
{
    if (m_unseen == 0) {
        if (m_tray)
            m_tray->hide();
        return;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                open();
        });
    }
    // The app's icon with the count in a red badge at its corner.
    QPixmap picture = QApplication::windowIcon().pixmap(64, 64);
    if (picture.isNull()) {
        picture = QPixmap(64, 64);
        picture.fill(Qt::black);
    }
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF badge(26, 26, 38, 38);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(badge);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(m_unseen > 99 ? 16 : 24);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, m_unseen > 99 ? QStringLiteral("99+") : QString::number(m_unseen));
    }
    m_tray->setIcon(QIcon(picture));
    m_tray->setToolTip(DesktopNotifier::summary(m_unseen));
    m_tray->show();
}
