#pragma once

#include <QImage>
#include <QSizeF>

// A new picture of the size (points) with the picture's pixels stretched to fill it; the
// aspect ratio is not kept. It has the screens' device pixel ratio, so that a picture larger
// than the size keeps its detail on HiDPI screens (at 1 it is the plain w x h picture). An
// empty size or a null picture gives a null picture.
QImage scaleToSize(const QImage& image, QSizeF size);
