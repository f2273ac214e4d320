#pragma once

#include <QString>

// Where a test saves a picture of what it drew: a folder of the build's own
// (build/test-pictures), apart from the programs, created on first use.
QString testPicturePath(const QString& name);
