#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

#include <vector>

class PickerViewDataSource;
class PickerViewDelegate;
class QVariantAnimation;

// Spinning wheels side by side, one per component, each showing its rows with the chosen row in
// the middle between two indicator lines; rows further from the middle fade. Dragging a wheel
// turns it (a flick spins it on, QScroller's momentum) and it settles on a row (the scroller's
// snap positions); tapping a row or turning the mouse wheel chooses
// it; with the focus (from Tab), Up/Down/Home/End choose in a wheel and Left/Right move between
// wheels, a ring marking the wheel the keys act on. The delegate hears of each choice made by the user (not of selectRow from code). As on
// the phone, a picker is never lower than 162 points: a smaller frame becomes 216 high.
class PickerView : public QWidget
{
    Q_OBJECT
public:
    explicit PickerView(QWidget* parent = nullptr);
    ~PickerView() override;

    PickerViewDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(PickerViewDataSource* dataSource);
    PickerViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PickerViewDelegate* delegate);
    bool showsSelectionIndicator() const { return m_showsIndicator; }
    void setShowsSelectionIndicator(bool shows);

    int numberOfComponents() const { return int(m_components.size()); }
    int numberOfRowsInComponent(int component) const;
    int selectedRowInComponent(int component) const;
    void selectRow(int row, int component, bool animated);
    // What the user's turn of a wheel to the row does: the wheel settles there and the
    // delegate hears of the choice.
    void chooseRow(int row, int component);
    // The text a row shows (its label's, or the delegate's title), for assistive technology.
    QString textForRow(int row, int component) const;
    // The wheel the keys act on.
    int keyboardComponent() const { return m_keyComponent; }
    void reloadAllComponents();
    void reloadComponent(int component);
    // The view shown for a row, when it is on screen.
    QWidget* viewForRow(int row, int component) const;
    // A column's rectangle in the picker's coordinates.
    QRect componentRect(int component) const;
    // The height a frame of the given height becomes (216 when lower than 162), so that a
    // screen can place a picker at its real size before it is shown.
    static int heightForFrameHeight(int height);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Component
    {
        QWidget* clip = nullptr;
        int rows = 0;
        int selected = 0;
        double offset = 0; // the (fractional) row in the middle
        double rowHeight = 32;
        QHash<int, QWidget*> views;
        QList<QWidget*> pool;      // views the delegate made, offered back for reuse
        QList<QWidget*> titlePool; // the picker's own title labels
        QVariantAnimation* animation = nullptr;
        bool spinning = false; // let go by a drag, the scroller turns it until it settles
    };

    void rebuild();
    void loadComponent(int component);
    void layoutComponents();
    void layoutRows(int component);
    void animateTo(int component, int row, bool notify);
    int componentAt(QPointF point) const;
    int componentOfClip(const QObject* clip) const;
    void settle(int component);

    PickerViewDataSource* m_dataSource = nullptr;
    PickerViewDelegate* m_delegate = nullptr;
    std::vector<Component> m_components;
    QWidget* m_overlay;
    bool m_showsIndicator = false;
    int m_dragComponent = -1;
    double m_dragStartY = 0;
    double m_dragStartOffset = 0;
    QPointF m_dragStartPos;
    qint64 m_dragStartTime = 0;
    bool m_dragged = false;
    bool m_pressStoppedSpin = false;
    int m_keyComponent = 0;
    bool m_showsRing = false;
};
