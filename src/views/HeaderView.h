#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

class Button;
class HeaderViewDelegate;
class Label;
class UIUnderlinedLabel;

// The header above the torrent lists: the signed-in user's name (a button that opens the
// profile), share ratio, uploaded and downloaded amounts, and the refresh, search, filters and
// settings buttons. Its widgets come from the interface layout "HeaderView" and are found by
// their names. It is 70 points high but takes touches only in its top 45 points: its lower
// part is not drawn and lets touches reach the list beneath.
class HeaderView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 70;
    static constexpr int kTouchHeight = 45;

    // A header built from its interface layout.
    explicit HeaderView(QWidget* parent = nullptr);
    // An empty header, for the interface layout to build into (the registered class factory).
    static HeaderView* createEmpty(QWidget* parent);

    UIUnderlinedLabel* usernameLbl();
    Label* ratioLbl();
    Label* upLbl();
    Label* downLbl();
    Button* refreshBtn();
    Button* searchBtn();
    Button* settingsBtn();
    Button* filtersBtn();

    // Not held: the list screen that owns the header.
    HeaderViewDelegate* parentDelegate() const { return m_parentDelegate; }
    void setParentDelegate(HeaderViewDelegate* delegate) { m_parentDelegate = delegate; }

    // The hit test: true exactly when 0 < y < 45, whatever x.
    static bool pointInside(QPointF point);

public Q_SLOTS:
    void viewProfile(QObject* sender);
    void refresh(QObject* sender);
    void filters(QObject* sender);
    void settings(QObject* sender);
    void search(QObject* sender);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Empty {};
    HeaderView(QWidget* parent, Empty);
    // Finds the layout's widgets and connects the actions, once they exist.
    void bind();
    void layoutSubviews();

    bool m_bound = false;
    QPointer<UIUnderlinedLabel> m_usernameLbl;
    QPointer<Label> m_ratioLbl, m_upLbl, m_downLbl;
    QPointer<Button> m_refreshBtn, m_searchBtn, m_settingsBtn, m_filtersBtn;
    QPointer<QWidget> m_background;
    HeaderViewDelegate* m_parentDelegate = nullptr;
};
