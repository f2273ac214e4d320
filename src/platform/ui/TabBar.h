#pragma once

#include <QBrush>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

class TabBarItem;

// The bar at the bottom of a tab bar controller: one button per item, the picture drawn
// as a mask in grey or, for the selected item, in the tint colour, the title below it.
// The Tab key reaches it; the arrow keys then move a focus ring from item to item and Space or
// Return taps the item in the ring.
class TabBar : public QWidget
{
    Q_OBJECT

public:
    explicit TabBar(QWidget* parent = nullptr);

    void setItems(const QList<TabBarItem*>& items);
    QList<TabBarItem*> items() const;
    // -1: no item selected.
    void setSelectedIndex(int index);
    int selectedIndex() const { return m_selected; }

    void setTintColor(const QColor& color);
    void setBarTintColor(const QColor& color);

    QRect itemRect(int index) const;
    // What a tap on the item does: reports itemTapped unless the item is disabled.
    void tapItem(int index);
    // The item in the keyboard's focus ring (-1 before the bar first had focus).
    int focusIndex() const { return m_focusIndex; }

    // The picture's alpha filled with `brush`, fitted into `points`, drawn at twice the size
    // or at `ratio` when that is higher (a screen of a higher device pixel ratio).
    static QImage tintImage(const QImage& mask, QSize points, const QBrush& brush, qreal ratio = 2.0);

    QSize sizeHint() const override;

Q_SIGNALS:
    void itemTapped(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int indexAt(QPoint pos) const;
    void setFocusIndex(int index);

    QList<QPointer<TabBarItem>> m_items;
    int m_selected = -1;
    int m_pressed = -1;
    bool m_showsRing = false; // focus came from the keyboard
    int m_focusIndex = -1;
    QColor m_tint;
    QColor m_barTint;
};
