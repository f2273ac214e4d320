#include "platform/ui/WindowZoom.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/ZoomedOutFrame.h"

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
// The scale last handed to Qt; 1 until a zoom of ours changes it.
qreal g_screenFactorApplied = 1.0;

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

WindowZoom::~WindowZoom() = default;

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
        // A screen of low DPI keeps one pixel a point at 100 %.
        g_screenDpiFactor = std::max<qreal>(1.0, dpi / kPointsDpi);
        g_freeAtOne = screen ? QSizeF(screen->availableSize()) : QSizeF();
    }
    return g_screenDpiFactor;
}

qreal WindowZoom::scaleFactor() const
{
    return screenFactor() * m_percent / 100.0;
}

QWidget* WindowZoom::shownWindow() const
{
    return m_frame ? static_cast<QWidget*>(m_frame.get()) : m_window.data();
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
    const qreal factor = scaleFactor();
    // Qt's painter draws no point smaller than a device pixel: below that the frame scales.
    const qreal drawn = std::max<qreal>(1.0, factor);
    applyScreenFactor(drawn);
    applyFrame(factor / drawn);
}

void WindowZoom::applyScreenFactor(qreal factor)
{
    QScreen* screen = m_window ? m_window->screen() : nullptr;
    // Nothing of Qt's is touched while the scale stays: at one to one, never.
    if (!screen || qFuzzyCompare(factor, g_screenFactorApplied))
        return;
    g_screenFactorApplied = factor;
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

void WindowZoom::applyFrame(qreal scale)
{
    if (!m_window)
        return;
    if (scale < 1.0 - 1e-9) {
        if (!m_frame)
            m_frame = std::make_unique<ZoomedOutFrame>(m_window);
        m_frame->setScale(scale);
    } else if (m_frame) {
        m_frame->release();
        m_frame.reset();
    }
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
    if (here != all.begin())
        setPercent(*(here - 1));
}

void WindowZoom::resetZoom()
{
    setPercent(100);
}
