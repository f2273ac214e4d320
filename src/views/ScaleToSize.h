#pragma once

#include <QImage>
#include <QSizeF>

// A new picture of the size (points, scale 1) with the picture's pixels stretched to fill it;
// the aspect ratio is not kept. An empty size or a null picture gives a null picture.
QImage scaleToSize(const QImage& image, QSizeF size);
