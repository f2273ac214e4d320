#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class TabBarItem;

// The list of the "More" tab: one 44-point row per screen beyond the tab bar's first
// four, with its tab picture, its title and a disclosure chevron. With the keyboard focus, the
// arrow keys move a ring from row to row and Space or Return chooses the row in the ring.
class MoreListView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 44;

    explicit MoreListView(QWidget* parent = nullptr);

    void setItems(const QList<TabBarItem*>& items);
    int count() const { return int(m_items.size()); }
    QRect rowRect(int row) const;
    QList<TabBarItem*> items() const;
    // What a tap on the row does: reports rowSelected unless the row's screen is disabled.
    void chooseRow(int row);
    int focusRow() const { return m_focusRow; }

Q_SIGNALS:
    void rowSelected(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int rowAt(QPoint pos) const;
    void setFocusRow(int row);

    QList<QPointer<TabBarItem>> m_items;
    int m_pressed = -1;
    bool m_showsRing = false; // focus came from the keyboard
    int m_focusRow = 0;
};
