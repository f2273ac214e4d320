#include "views/HeaderView.h"

#include "platform/ui/Button.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "views/HeaderViewDelegate.h"
#include "views/PictureButtonName.h"
#include "views/UIUnderlinedLabel.h"

#include <QEvent>
#include <QRegion>

#include <algorithm>
#include <utility>

namespace {
// The width the layout is drawn for; wider headers keep the buttons at the right edge.
constexpr int kLayoutWidth = 320;
// Of the room a wider header has, what the name and the figures may take, and how it is
// shared among the figures (captions keep their width).
constexpr int kLeftRoom = 150;
constexpr std::pair<const char*, int> kFigureRow[] = {{"ratioCaption", 0}, {"ratioLbl", 30}, {"upCaption", 0},
                                                      {"upLbl", 60},       {"downCaption", 0}, {"downLbl", 60}};

// Where the layout put the widget, kept the first time it is moved.
QRect designGeometry(QWidget* widget)
{
    const QVariant kept = widget->property("headerDesignGeometry");
    if (kept.isValid())
        return kept.toRect();
    widget->setProperty("headerDesignGeometry", widget->geometry());
    return widget->geometry();
}

const bool registered = [] {
    InterfaceLayout::registerClass(QStringLiteral("HeaderView"),
                                   [](QWidget* parent) -> QWidget* { return HeaderView::createEmpty(parent); });
    return true;
}();
} // namespace

HeaderView::HeaderView(QWidget* parent, Empty) : QWidget(parent)
{
    Q_UNUSED(registered);
    resize(kLayoutWidth, kHeight);
}

HeaderView::HeaderView(QWidget* parent) : HeaderView(parent, Empty{})
{
    InterfaceLayout::load(QStringLiteral("HeaderView"), this);
    bind();
}

HeaderView* HeaderView::createEmpty(QWidget* parent)
{
    return new HeaderView(parent, Empty{});
}

void HeaderView::bind()
{
    if (m_bound)
        return;
    m_usernameLbl = findChild<UIUnderlinedLabel*>(QStringLiteral("usernameLbl"));
    m_ratioLbl = findChild<Label*>(QStringLiteral("ratioLbl"));
    m_upLbl = findChild<Label*>(QStringLiteral("upLbl"));
    m_downLbl = findChild<Label*>(QStringLiteral("downLbl"));
    m_refreshBtn = findChild<Button*>(QStringLiteral("refreshBtn"));
    m_searchBtn = findChild<Button*>(QStringLiteral("searchBtn"));
    m_settingsBtn = findChild<Button*>(QStringLiteral("settingsBtn"));
    m_filtersBtn = findChild<Button*>(QStringLiteral("filtersBtn"));
    m_background = findChild<QWidget*>(QStringLiteral("headerBackground"));
    if (!m_refreshBtn)
        return;  // still empty: the layout has not been built into it yet
    m_bound = true;
    // The buttons show pictures only: assistive technology reads them by these names.
    const std::pair<Button*, const char*> pictures[] = {{m_refreshBtn, "header-refresh.png"},
                                                        {m_searchBtn, "header-search.png"},
                                                        {m_settingsBtn, "header-settings.png"},
                                                        {m_filtersBtn, "header-filters.png"}};
    for (const auto& [button, picture] : pictures) {
        if (button && button->accessibleName().isEmpty())
            button->setAccessibleName(pictureButtonName(QString::fromLatin1(picture)));
    }
    if (m_usernameLbl)
        connect(m_usernameLbl, &Button::touchUpInside, this, [this](Button* b) { viewProfile(b); });
    connect(m_refreshBtn, &Button::touchUpInside, this, [this](Button* b) { refresh(b); });
    if (m_filtersBtn)
        connect(m_filtersBtn, &Button::touchUpInside, this, [this](Button* b) { filters(b); });
    if (m_settingsBtn)
        connect(m_settingsBtn, &Button::touchUpInside, this, [this](Button* b) { settings(b); });
    if (m_searchBtn)
        connect(m_searchBtn, &Button::touchUpInside, this, [this](Button* b) { search(b); });
    layoutSubviews();
}

UIUnderlinedLabel* HeaderView::usernameLbl() { bind(); return m_usernameLbl; }
Label* HeaderView::ratioLbl() { bind(); return m_ratioLbl; }
Label* HeaderView::upLbl() { bind(); return m_upLbl; }
Label* HeaderView::downLbl() { bind(); return m_downLbl; }
Button* HeaderView::refreshBtn() { bind(); return m_refreshBtn; }
Button* HeaderView::searchBtn() { bind(); return m_searchBtn; }
Button* HeaderView::settingsBtn() { bind(); return m_settingsBtn; }
Button* HeaderView::filtersBtn() { bind(); return m_filtersBtn; }

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

bool HeaderView::event(QEvent* event)
{
    // A header built by the layout loader binds before it first shows.
    if (event->type() == QEvent::Polish)
        bind();
    return QWidget::event(event);
}

void HeaderView::layoutSubviews()
{
    const int w = width();
    if (m_background)
        m_background->setGeometry(0, 0, w, kTouchHeight);
    // The buttons keep their distance from the right edge, as laid out for 320 points.
    for (const QPointer<Button>& button : {m_refreshBtn, m_searchBtn, m_settingsBtn, m_filtersBtn}) {
        if (!button)
            continue;
        const QVariant designX = button->property("headerDesignX");
        if (!designX.isValid())
            button->setProperty("headerDesignX", button->x());
        button->move(button->property("headerDesignX").toInt() + w - kLayoutWidth, button->y());
    }
    // On a wider header the name and the figures widen into part of the room, so that the
    // figures keep their full size instead of shrinking to fit the phone's widths.
    const int extra = std::clamp(w - kLayoutWidth, 0, kLeftRoom);
    if (m_usernameLbl) {
        const QRect name = designGeometry(m_usernameLbl);
        m_usernameLbl->setGeometry(name.adjusted(0, 0, extra, 0));
    }
    int shift = 0;
    for (const auto& [name, share] : kFigureRow) {
        auto* part = findChild<QWidget*>(QLatin1String(name));
        if (!part)
            continue;
        const int grow = extra * share / kLeftRoom;
        const QRect design = designGeometry(part);
        part->setGeometry(design.x() + shift, design.y(), design.width() + grow, design.height());
        shift += grow;
    }
    // The lower part neither draws nor takes touches: the list beneath gets them.
    setMask(QRegion(0, 0, w, kTouchHeight));
}

void HeaderView::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}
