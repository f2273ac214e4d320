#pragma once

#include <QWidget>

class QTimer;

// The spinning busy indicator: twelve spokes fading round a circle. White large is 37 x 37,
// white and gray are 20 x 20. Hidden while stopped unless hidesWhenStopped is off.
class ActivityIndicatorView : public QWidget
{
    Q_OBJECT
public:
    enum class Style { WhiteLarge, White, Gray };

    explicit ActivityIndicatorView(Style style = Style::White, QWidget* parent = nullptr);

    Style style() const { return m_style; }
    void setStyle(Style style);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const;
    bool hidesWhenStopped() const { return m_hidesWhenStopped; }
    void setHidesWhenStopped(bool hides);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style m_style;
    QTimer* m_timer;
    int m_step = 0;
    bool m_hidesWhenStopped = true;
};
