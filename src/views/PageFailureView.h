#pragma once

#include <QPointer>
#include <QWidget>

class Button;
class Label;

// What a web page screen shows in place of a page that could not be had: why, and a button
// that asks for it again. As a page it fills the page area; as a band it stands at the top of
// a page already shown, which stays readable below it. A native view, so screen readers read
// it and no page markup is involved.
class PageFailureView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBandHeight = 104;

    explicit PageFailureView(QWidget* parent = nullptr);

    // A null or empty button title hides the button.
    void setFailure(const QString& message, const QString& buttonTitle);
    void setBand(bool band);
    bool isBand() const { return m_band; }

    Label* messageLbl() const;
    Button* actionBtn() const;

Q_SIGNALS:
    void actionTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    QPointer<Label> m_message;
    QPointer<Button> m_button;
    bool m_band = false;
};
