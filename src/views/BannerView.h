#pragma once

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QWidget>

// The banner place at the top of the torrent lists: 320 x 50 points on a phone, the full
// width of the screen (90 high) on a tablet, over the "titleBack" pattern. There is no
// advertising network: unless a source has put its own view in (setContentView), the
// application's own small house banner is drawn, with no request to anyone.
class BannerView : public QWidget
{
    Q_OBJECT
public:
    explicit BannerView(QWidget* parent = nullptr);

    // The size for the device's idiom.
    static QSize standardSize();

    // Where an advertising source plugs in: its view fills the banner (the banner owns it);
    // none brings the house banner back.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return m_content; }

    // Asks for one banner: the house banner needs nothing, a source's view may be told here.
    // Counted so that the list screens' single request per view can be checked.
    void loadRequest();
    int requestCount() const { return m_requests; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_pattern;
    QPointer<QWidget> m_content;
    int m_requests = 0;
};
