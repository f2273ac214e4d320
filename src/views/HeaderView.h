#pragma once

#include <QPointF>
#include <QWidget>

class Button;
class HeaderViewDelegate;
class Label;
class UIUnderlinedLabel;

// The header above the torrent lists: the signed-in user's name (a button that opens the
// profile), share ratio, uploaded and downloaded amounts, and the refresh, search, filters and
// settings buttons. It is 70 points high but takes touches only in its top 45 points; its
// lower part is not drawn and lets touches reach the list beneath.
class HeaderView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 70;
    static constexpr int kTouchHeight = 45;

    explicit HeaderView(QWidget* parent = nullptr);

    UIUnderlinedLabel* usernameLbl() const { return m_usernameLbl; }
    Label* ratioLbl() const { return m_ratioLbl; }
    Label* upLbl() const { return m_upLbl; }
    Label* downLbl() const { return m_downLbl; }
    Button* refreshBtn() const { return m_refreshBtn; }
    Button* searchBtn() const { return m_searchBtn; }
    Button* settingsBtn() const { return m_settingsBtn; }
    Button* filtersBtn() const { return m_filtersBtn; }

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
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutSubviews();

    UIUnderlinedLabel* m_usernameLbl;
    Label* m_ratioLbl;
    Label* m_upLbl;
    Label* m_downLbl;
    Button* m_refreshBtn;
    Button* m_searchBtn;
    Button* m_settingsBtn;
    Button* m_filtersBtn;
    HeaderViewDelegate* m_parentDelegate = nullptr;
};
