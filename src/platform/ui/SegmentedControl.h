#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

#include <optional>

class QButtonGroup;

// A row of segments of which one is selected. The bar style (the one the settings screens
// use) is 30 points high with a tinted gloss; a tap on another segment selects it and reports
// valueChanged with the new index. The control draws and takes the taps; under each segment
// lies a radio button of an exclusive QButtonGroup, which holds the choice, so that Tab and
// the arrows choose and readers see Qt's radio buttons named by the titles.
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
    int selectedSegmentIndex() const;
    // Selecting from code does not report valueChanged (as on the phone).
    void setSelectedSegmentIndex(int index);

    // Off (the default): all segments equally wide. On: each as wide as its title plus an
    // equal share of what is left, so that long and short titles fit side by side.
    bool apportionsSegmentWidthsByContent() const { return m_apportioned; }
    void setApportionsSegmentWidthsByContent(bool apportioned);
    // The titles' font: unless set, the bold system font of 13 points for the bar style and
    // of 15 for the others.
    QFont titleFont() const;
    void setTitleFont(const QFont& font);
    // Where the segment lies in the control.
    QRectF segmentRect(int index) const;
    // What a tap on the segment does: selects it and reports valueChanged when it was not
    // selected yet (nothing while the control is disabled).
    void tapSegment(int index);

Q_SIGNALS:
    void valueChanged(int selectedSegmentIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // One radio button per title, in order, each where its segment lies.
    void syncSegments();
    void placeSegments();
    void chosen(int index, bool checked);

    QStringList m_titles;
    Style m_style = Style::Bar;
    QColor m_tint = QColor(40, 40, 40);
    QButtonGroup* m_group = nullptr;
    bool m_byCode = false;
    bool m_apportioned = false;
    std::optional<QFont> m_titleFont;
};
