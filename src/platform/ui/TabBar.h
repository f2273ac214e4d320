#pragma once

#include <QBrush>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

class TabBarItem;

// The bar at the bottom of a tab bar controller: one button per item, the picture drawn
// as a mask in grey or, for the selected item, in the tint colour, the title below it.
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

    // The picture's alpha filled with `brush`, fitted into `points` (drawn at 2x).
    static QImage tintImage(const QImage& mask, QSize points, const QBrush& brush);

    QSize sizeHint() const override;

Q_SIGNALS:
    void itemTapped(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int indexAt(QPoint pos) const;

    QList<QPointer<TabBarItem>> m_items;
    int m_selected = -1;
    int m_pressed = -1;
    QColor m_tint;
    QColor m_barTint;
};
