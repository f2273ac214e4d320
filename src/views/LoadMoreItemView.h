#pragma once

#include <QWidget>

class Label;

// The last row of the torrent lists: asks for the next page. pageLbl shows the range of rows
// that page brings.
class LoadMoreItemView : public QWidget
{
    Q_OBJECT
public:
    explicit LoadMoreItemView(QWidget* parent = nullptr);

    Label* pageLbl() const { return m_pageLbl; }
    Label* titleLbl() const { return m_titleLbl; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Label* m_titleLbl;
    Label* m_pageLbl;
};
