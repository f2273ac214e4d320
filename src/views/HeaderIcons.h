#pragma once

#include <QImage>

// The pictures of the header's buttons, drawn once in code as white line art at twice the
// point size (so they stay sharp on dense screens) and kept for the rest of the run.
class HeaderIcons
{
public:
    static QImage refresh();
    static QImage search();
    static QImage settings();
    static QImage filters();
};
