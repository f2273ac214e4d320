#pragma once

#include <QSize>
#include <QString>

class QWidget;

// How views follow their superview's size. A view's mask ("FlexibleLeftMargin|FlexibleWidth",
// in its "autoresizingMask" property) names the flexible parts of each axis: margin before,
// size, margin after. A change of the superview's size is shared among the flexible parts in
// proportion to their lengths (evenly when all are zero); a view with none keeps its frame. A
// scroll view whose content was exactly its size keeps it so.
class Autoresizing
{
public:
    // Resizes the view and lets everything inside follow.
    static void resize(QWidget* view, const QSize& size);
    // False for a mask with an unknown part.
    static bool isValidMask(const QString& mask);
};
