#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// A row of segments of which one is selected. The bar style (the one the settings screens
// use) is 30 points high with a tinted gloss; a tap on another segment selects it and reports
// valueChanged with the new index.
class SegmentedControl : public QWidget
{
    Q_OBJECT
public:
    enum class Style { Plain, Bordered, Bar };
    static constexpr int kNoSegment = -1;

    explicit SegmentedControl(const QStringList& items = {}, QWidget* parent = nullptr);

    Style segmentedControlStyle() const { return m_style; }
    void setSegmentedControlStyle(Style style);
    QColor tintColor() const { return m_tint; }
    void setTintColor(const QColor& color);

    int numberOfSegments() const { return int(m_titles.size()); }
    QString titleForSegmentAtIndex(int index) const { return m_titles.value(index); }
    void setTitle(const QString& title, int index);
    void insertSegmentWithTitle(const QString& title, int index);
    void removeAllSegments();
    int selectedSegmentIndex() const { return m_selected; }
    // Selecting from code does not report valueChanged (as on the phone).
    void setSelectedSegmentIndex(int index);

Q_SIGNALS:
    void valueChanged(int selectedSegmentIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF segmentRect(int index) const;

    QStringList m_titles;
    Style m_style = Style::Bar;
    QColor m_tint = QColor(40, 40, 40);
    int m_selected = kNoSegment;
};
