#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class TabBarItem;

// The list of the "More" tab: one 44-point row per screen beyond the tab bar's first
// four, with its tab picture, its title and a disclosure chevron.
class MoreListView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 44;

    explicit MoreListView(QWidget* parent = nullptr);

    void setItems(const QList<TabBarItem*>& items);
    int count() const { return int(m_items.size()); }
    QRect rowRect(int row) const;

Q_SIGNALS:
    void rowSelected(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int rowAt(QPoint pos) const;

    QList<QPointer<TabBarItem>> m_items;
    int m_pressed = -1;
};
