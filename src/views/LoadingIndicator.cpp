#include "views/LoadingIndicator.h"

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/WidgetEffect.h"
#include "views/RoundedRectView.h"

#include <QMutexLocker>

#include <cmath>

namespace {
constexpr double kBoxHeight = 40;
}

LoadingIndicator* LoadingIndicator::sharedInstance()
{
    return sharedInstanceOf<LoadingIndicator>();
}

void LoadingIndicator::reset()
{
    QMutexLocker locker(&m_propertyLock);
    m_parentView = nullptr;
    m_offset = 0;
    m_string = QStringLiteral("");
}

QWidget* LoadingIndicator::parentView() const
{
    QMutexLocker locker(&m_propertyLock);
    return m_parentView;
}

void LoadingIndicator::setParentView(QWidget* view)
{
    QMutexLocker locker(&m_propertyLock);
    m_parentView = view;
}

QString LoadingIndicator::string() const
{
    QMutexLocker locker(&m_propertyLock);
    return m_string;
}

void LoadingIndicator::setString(const QString& text)
{
    QMutexLocker locker(&m_propertyLock);
    m_string = text;
}

void LoadingIndicator::showLoadingIndicators()
{
    if (isShowing()) {
        m_loadingLabel->setText(string());
        m_loadingLabel->sizeToFit();
        sizeFrame();
        return;
    }
    // Views left behind by a parent that was destroyed while showing are gone with it.
    delete m_rv;

    m_rv = new RoundedRectView;
    m_rv->setRectColor(QColor::fromRgbF(0.5f, 0.5f, 0.5f));
    m_rv->setCornerRadius(8.0);
    auto* alpha = new WidgetEffect(m_rv);
    alpha->setOpacity(0.9);
    m_rv->setGraphicsEffect(alpha);

    m_spinner = new ActivityIndicatorView(ActivityIndicatorView::Style::White, m_rv);
    m_spinner->resize(m_spinner->sizeHint());
    m_spinner->startAnimating();

    m_loadingLabel = new Label(m_rv);
    m_loadingLabel->setFont(Fonts::systemFont(20));
    m_loadingLabel->setTextColor(Qt::white);
    m_loadingLabel->setBackgroundColor(Qt::transparent);
    m_loadingLabel->setText(string());
    m_loadingLabel->sizeToFit();
    m_loadingLabel->show();

    QWidget* parent = parentView();
    if (parent)
        m_rv->setParent(parent);
    sizeFrame();
    // Without a parent view the box is kept but not put on screen (a parentless widget
    // would open a window of its own).
    if (parent) {
        m_rv->show();
        m_rv->raise();
    }
}

void LoadingIndicator::sizeFrame()
{
    if (!isShowing() || !m_loadingLabel || !m_rv)
        return;
    const double spinnerW = m_spinner->width(), spinnerH = m_spinner->height();
    const double labelW = m_loadingLabel->width(), labelH = m_loadingLabel->height();
    const double w = spinnerW + 8 + labelW;
    const double boxW = w + 30;
    m_rv->resize(int(std::lround(boxW)), int(kBoxHeight));
    m_spinner->move(int(std::lround((boxW - w) / 2)), int(std::lround((kBoxHeight - spinnerH) / 2)));
    m_loadingLabel->move(int(std::lround(spinnerW + (boxW - w) / 2 + 8)),
                         int(std::lround((kBoxHeight - labelH) / 2)));
    // Centred in the view that holds the box, which is where it was first shown.
    const QWidget* holder = m_rv->parentWidget();
    const QSize parentSize = holder ? holder->size() : QSize();
    m_rv->move(int(std::lround((parentSize.width() - boxW) / 2)),
               int(std::lround((parentSize.height() - kBoxHeight) / 2 + m_offset)));
}

void LoadingIndicator::hideLoadingIndicators()
{
    if (!isShowing())
        return;
    m_spinner->stopAnimating();
    delete m_spinner;
    delete m_loadingLabel;
    delete m_rv;
}
