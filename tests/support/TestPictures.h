#pragma once

#include <QString>

// Where a test saves a picture of what it drew: a folder of the build's own
// (build/test-pictures), apart from the programs, created on first use.
QString testPicturePath(const QString& name);

// Saves the picture there and names it on the log; false when it could not be written.
class QImage;
bool saveTestPicture(const QImage& image, const QString& name);
