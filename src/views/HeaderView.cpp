#include "views/HeaderView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "views/HeaderIcons.h"
#include "views/HeaderViewDelegate.h"
#include "views/UIUnderlinedLabel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

namespace {
constexpr int kButton = 34;
constexpr int kButtonGap = 2;

Label* figureLabel(QWidget* parent, const char* name)
{
    auto* label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Fonts::fontWithName(QStringLiteral("Arial"), 11));
    label->setTextColor(QColor(204, 204, 204));
    label->setLineBreakMode(LineBreakMode::TailTruncation);
    return label;
}

Button* actionButton(QWidget* parent, const char* name, const QImage& icon)
{
    auto* button = new Button(Button::Type::Custom, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setImage(icon);
    return button;
}

// A small filled triangle before the up and down amounts.
void drawArrow(QPainter& p, QPointF at, bool up, const QColor& color)
{
    QPainterPath path;
    if (up) {
        path.moveTo(at.x(), at.y() + 7);
        path.lineTo(at.x() + 8, at.y() + 7);
        path.lineTo(at.x() + 4, at.y());
    } else {
        path.moveTo(at.x(), at.y());
        path.lineTo(at.x() + 8, at.y());
        path.lineTo(at.x() + 4, at.y() + 7);
    }
    path.closeSubpath();
    p.fillPath(path, color);
}
} // namespace

HeaderView::HeaderView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HeaderView"));
    m_usernameLbl = new UIUnderlinedLabel(this);
    m_usernameLbl->setObjectName(QStringLiteral("usernameLbl"));
    m_usernameLbl->setTitleFont(Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 15));
    m_usernameLbl->setTitleColor(Qt::white);
    m_ratioLbl = figureLabel(this, "ratioLbl");
    m_upLbl = figureLabel(this, "upLbl");
    m_downLbl = figureLabel(this, "downLbl");
    m_searchBtn = actionButton(this, "searchBtn", HeaderIcons::search());
    m_filtersBtn = actionButton(this, "filtersBtn", HeaderIcons::filters());
    m_refreshBtn = actionButton(this, "refreshBtn", HeaderIcons::refresh());
    m_settingsBtn = actionButton(this, "settingsBtn", HeaderIcons::settings());

    connect(m_usernameLbl, &Button::touchUpInside, this, [this](Button* b) { viewProfile(b); });
    connect(m_refreshBtn, &Button::touchUpInside, this, [this](Button* b) { refresh(b); });
    connect(m_filtersBtn, &Button::touchUpInside, this, [this](Button* b) { filters(b); });
    connect(m_settingsBtn, &Button::touchUpInside, this, [this](Button* b) { settings(b); });
    connect(m_searchBtn, &Button::touchUpInside, this, [this](Button* b) { search(b); });

    resize(320, kHeight);
    layoutSubviews();
}

bool HeaderView::pointInside(QPointF point)
{
    return point.y() > 0 && point.y() < kTouchHeight;
}

void HeaderView::viewProfile(QObject*)
{
    if (m_parentDelegate)
        m_parentDelegate->didSelectProfile(QString());
}

void HeaderView::refresh(QObject*)
{
    if (m_parentDelegate)
        m_parentDelegate->didRefresh();
}

void HeaderView::filters(QObject*)
{
    if (m_parentDelegate)
        m_parentDelegate->didFilters();
}

void HeaderView::settings(QObject*)
{
    if (m_parentDelegate)
        m_parentDelegate->didSettings();
}

void HeaderView::search(QObject*)
{
    if (m_parentDelegate)
        m_parentDelegate->didSearch();
}

void HeaderView::layoutSubviews()
{
    const int w = width();
    // Buttons from the right edge: settings, refresh, filters, search.
    int x = w - 4 - kButton;
    for (Button* button : {m_settingsBtn, m_refreshBtn, m_filtersBtn, m_searchBtn}) {
        button->setGeometry(x, (kTouchHeight - kButton) / 2, kButton, kButton);
        x -= kButton + kButtonGap;
    }
    const int textRight = x + kButton;
    m_usernameLbl->setGeometry(8, 2, std::max(0, textRight - 12), 24);
    m_ratioLbl->setGeometry(8, 26, 58, 14);
    m_upLbl->setGeometry(80, 26, 58, 14);
    m_downLbl->setGeometry(152, 26, std::max(0, std::min(58, textRight - 156)), 14);
    // The lower part neither draws nor takes touches: the list beneath gets them.
    setMask(QRegion(0, 0, w, kTouchHeight));
}

void HeaderView::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}

void HeaderView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient bar(0, 0, 0, kTouchHeight);
    bar.setColorAt(0, QColor(66, 66, 66));
    bar.setColorAt(1, QColor(30, 30, 30));
    p.fillRect(QRect(0, 0, width(), kTouchHeight), bar);
    p.fillRect(QRect(0, kTouchHeight - 1, width(), 1), QColor(0, 0, 0));
    p.setRenderHint(QPainter::Antialiasing);
    drawArrow(p, QPointF(69, 29.5), true, QColor(90, 200, 90));
    drawArrow(p, QPointF(141, 29.5), false, QColor(220, 80, 80));
}
