#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class BackButton;
class NavigationItem;
class QLabel;

// The bar at the top of a navigation controller: the top screen's title, a back button
// named after the screen below (unless the top screen puts its own view on the left) and
// the top screen's custom right view.
class NavigationBar : public QWidget
{
    Q_OBJECT

public:
    enum class BarStyle { Default, Black, BlackTranslucent };

    explicit NavigationBar(QWidget* parent = nullptr);

    BarStyle barStyle() const { return m_style; }
    void setBarStyle(BarStyle style);
    // Colours the bar's gradient (an invalid colour: the style's own colours).
    void setTintColor(const QColor& color);
    QColor tintColor() const { return m_tint; }

    // Shows `item`; `backItem` is the item of the screen below, none at the root.
    void setItems(NavigationItem* item, NavigationItem* backItem);
    NavigationItem* topItem() const;

    QString titleText() const;
    BackButton* backButton() const { return m_back; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void backTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void place(QWidget* view, bool left);

    BarStyle m_style = BarStyle::Default;
    QColor m_tint;
    QPointer<NavigationItem> m_item;
    QPointer<NavigationItem> m_backItem;
    QPointer<QWidget> m_left;
    QPointer<QWidget> m_right;
    QLabel* m_title = nullptr;
    BackButton* m_back = nullptr;
};
