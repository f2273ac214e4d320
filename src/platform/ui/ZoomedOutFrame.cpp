#include "platform/ui/ZoomedOutFrame.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QTimer>
#include <QWindow>
#include <qpa/qplatformwindow.h>

ZoomedOutFrame::ZoomedOutFrame(QWidget* window)
    : m_window(window)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(Qt::black);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setWindowTitle(window->windowTitle());
    setWindowIcon(window->windowIcon());

    const bool shown = window->isVisible();
    const QPoint place = window->pos();
    // Embedding does not take a window off the screen: it goes off first and comes back
    // inside the scene.
    window->hide();
    m_quitOnClose = window->testAttribute(Qt::WA_QuitOnClose);
    auto* scene = new QGraphicsScene(this);
    setScene(scene);
    m_proxy = scene->addWidget(window);
    m_proxy->setPos(0, 0);
    move(place);
    setScale(1.0);
    // From here the frame is shown and hidden with the window.
    window->installEventFilter(this);
    if (shown)
        window->show();
}

ZoomedOutFrame::~ZoomedOutFrame()
{
    release(false);
}

void ZoomedOutFrame::setScale(qreal scale)
{
    m_scale = scale;
    if (!m_window)
        return;
    const QSize window = m_window->size();
    const QSize drawn = (QSizeF(window) * scale).toSize();
    scene()->setSceneRect(QRectF(QPointF(0, 0), QSizeF(window)));
    setFixedSize(drawn);
    // The window fills the frame's whole pixels: the scale is kept within a fraction of a
    // pixel on each side rather than leave a half-drawn row along an edge.
    setTransform(QTransform::fromScale(qreal(drawn.width()) / window.width(), qreal(drawn.height()) / window.height()));
}

void ZoomedOutFrame::release(bool showAgain)
{
    QWidget* window = m_window;
    if (!window || !m_proxy)
        return;
    m_window = nullptr;
    window->removeEventFilter(this);
    const bool shown = window->isVisible();
    window->hide();
    // Without this the scene, when it goes, would delete the window with the proxy.
    m_proxy->setWidget(nullptr);
    window->setAttribute(Qt::WA_QuitOnClose, m_quitOnClose);
    window->move(pos());
    hide();
    if (showAgain && shown) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void ZoomedOutFrame::keepWindowOffScreen()
{
    // Only the platform's window is taken down: for Qt the window stays shown, in the frame.
    if (m_window && m_window->windowHandle() && m_window->windowHandle()->handle())
        m_window->windowHandle()->handle()->setVisible(false);
}

void ZoomedOutFrame::closeEvent(QCloseEvent* event)
{
    if (m_window && !m_window->close())
        event->ignore();
    else
        event->accept();
}

bool ZoomedOutFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            show();
            raise();
            activateWindow();
            // Keys reach the framed window's focus widget only while its proxy has the focus.
            m_proxy->setFocus();
            break;
        case QEvent::Hide:
            hide();
            break;
        case QEvent::WinIdChange:
            // The first web page makes Qt build the window's native window again for GPU
            // drawing, and Qt puts that one on the screen although the window is framed.
            QTimer::singleShot(0, this, &ZoomedOutFrame::keepWindowOffScreen);
            break;
        case QEvent::Resize:
            setScale(m_scale);
            break;
        case QEvent::WindowTitleChange:
            setWindowTitle(m_window->windowTitle());
            break;
        case QEvent::WindowIconChange:
            setWindowIcon(m_window->windowIcon());
            break;
        default:
            break;
        }
    }
    return QGraphicsView::eventFilter(watched, event);
}
