#pragma once

#include <QPointer>
#include <QWidget>

class Label;

// The last row of the torrent lists: asks for the next page. Its widgets come from the
// interface layout "LoadMoreItem"; pageLbl shows the range of rows the next page brings.
class LoadMoreItemView : public QWidget
{
    Q_OBJECT
public:
    // A row built from its interface layout.
    explicit LoadMoreItemView(QWidget* parent = nullptr);
    // An empty row, for the interface layout to build into (the registered class factory).
    static LoadMoreItemView* createEmpty(QWidget* parent);

    Label* pageLbl();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Empty {};
    LoadMoreItemView(QWidget* parent, Empty);

    QPointer<Label> m_pageLbl;
};
