#pragma once

#include <QPointer>
#include <QWidget>

class Label;

// A band over the bottom of the window, just above the tab bar, that says the network is
// gone ("No network: HOST cannot be reached.") for as long as NetworkStatus says so: once on
// the screen in view, whatever the number of requests that failed. It goes with the first
// answer that comes.
class NoNetworkBand : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 26;
    // The tab bar's height, which the band stays above.
    static constexpr int kBottomInset = 49;

    // Makes the band in `window`, hidden until the network goes.
    static NoNetworkBand* install(QWidget* window);

    Label* messageLbl() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit NoNetworkBand(QWidget* window);
    void follow();
    void place();

    QPointer<Label> m_message;
};
