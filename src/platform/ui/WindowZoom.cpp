#include "platform/ui/WindowZoom.h"

#include "platform/core/SettingsStore.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

// Qt scales a whole screen only through its high-DPI scaling; its public switch
// (QT_SCALE_FACTOR) is read once at start, so a zoom that takes effect at once goes through
// the same private call that switch ends in. Qt's private interface changes between
// releases: the Debian package asks for the exact Qt release it was built with.
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

namespace {

constexpr qreal kPointsDpi = 96.0;

// The screen as it was before any zoom of ours, read once: the zoom changes what the screen
// reports afterwards.
qreal g_screenDpiFactor = 0;
QSizeF g_freeAtOne;
bool g_zoomApplied = false;

} // namespace

WindowZoom::WindowZoom(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    const int stored = SettingsStore::standard().integerForKey(QLatin1String(kSettingsKey)).value_or(100);
    m_percent = steps().contains(stored) ? stored : 100;

    const auto bind = [this, window](const QList<QKeySequence>& keys, void (WindowZoom::*action)()) {
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, window);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, action);
        }
    };
    // Ctrl+= as well as Ctrl++: on most keyboards plus needs Shift, and browsers take both.
    bind({QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &WindowZoom::zoomIn);
    bind({QKeySequence(QKeySequence::ZoomOut)}, &WindowZoom::zoomOut);
    bind({QKeySequence(Qt::CTRL | Qt::Key_0)}, &WindowZoom::resetZoom);
}

const QList<int>& WindowZoom::steps()
{
    static const QList<int> percents = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
    return percents;
}

qreal WindowZoom::screenFactor() const
{
    if (g_screenDpiFactor == 0) {
        const QScreen* screen = m_window && m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInch() : kPointsDpi;
        // A screen of low DPI keeps one pixel a point; the window never draws smaller.
        g_screenDpiFactor = std::max<qreal>(1.0, dpi / kPointsDpi);
        g_freeAtOne = screen ? QSizeF(screen->availableSize()) : QSizeF();
    }
    return g_screenDpiFactor;
}

qreal WindowZoom::scaleFactor() const
{
    return screenFactor() * m_percent / 100.0;
}

int WindowZoom::smallestPercent() const
{
    // Qt's painter never draws a point smaller than one device pixel: below that the window
    // would shrink while its content kept its size, cut off at the bottom and right.
    for (int percent : steps()) {
        if (screenFactor() * percent / 100.0 >= 1.0 - 1e-9)
            return percent;
    }
    return 100;
}

bool WindowZoom::fitsScreen(int percent) const
{
    const qreal factor = screenFactor() * percent / 100.0;
    if (!m_window || g_freeAtOne.isEmpty())
        return true;
    const QSizeF wanted = QSizeF(m_window->size()) * factor;
    return wanted.width() <= g_freeAtOne.width() && wanted.height() <= g_freeAtOne.height();
}

void WindowZoom::apply()
{
    // A zoom kept from a screen of more dots per inch may be too small for this one.
    m_percent = std::max(m_percent, smallestPercent());
    QScreen* screen = m_window ? m_window->screen() : nullptr;
    const qreal factor = scaleFactor();
    // At one to one nothing of Qt's is touched, unless an earlier zoom has to be undone.
    if (!screen || (qFuzzyCompare(factor, 1.0) && !g_zoomApplied))
        return;
    g_zoomApplied = true;
    QHighDpiScaling::setScreenFactor(screen, factor);
    QHighDpiScaling::updateHighDpiScaling();
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(screen, screen->logicalDotsPerInchX(),
                                                                 screen->logicalDotsPerInchY());
    QWindowSystemInterface::flushWindowSystemEvents();
    if (!m_window->windowHandle())
        return;
    // A shown window keeps its size in points; its native window and its backing store must
    // be made again at the new scale, and Qt only does so when the size changes.
    const QSize size = m_window->size();
    const QSize minimum = m_window->minimumSize();
    const QSize maximum = m_window->maximumSize();
    m_window->setFixedSize(size + QSize(1, 1));
    m_window->setMinimumSize(minimum);
    m_window->setMaximumSize(maximum);
    m_window->resize(size);
    if (QBackingStore* store = m_window->backingStore())
        store->resize(QSize(1, 1));
    // The web views render at the scale they were told of; a screen change makes them ask again.
    QEvent screenChange(QEvent::ScreenChangeInternal);
    for (QWidget* child : m_window->findChildren<QWidget*>())
        QCoreApplication::sendEvent(child, &screenChange);
    m_window->update();
}

void WindowZoom::setPercent(int percent)
{
    if (percent == m_percent)
        return;
    m_percent = percent;
    SettingsStore& settings = SettingsStore::standard();
    settings.setInteger(QLatin1String(kSettingsKey), percent);
    settings.synchronize();
    apply();
    Q_EMIT zoomChanged(percent);
}

void WindowZoom::zoomIn()
{
    const QList<int>& all = steps();
    const auto next = std::upper_bound(all.begin(), all.end(), m_percent);
    if (next != all.end() && fitsScreen(*next))
        setPercent(*next);
}

void WindowZoom::zoomOut()
{
    const QList<int>& all = steps();
    const auto here = std::lower_bound(all.begin(), all.end(), m_percent);
    if (here != all.begin() && *(here - 1) >= smallestPercent())
        setPercent(*(here - 1));
}

void WindowZoom::resetZoom()
{
    setPercent(100);
}
