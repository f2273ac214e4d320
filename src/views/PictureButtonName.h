#pragma once

#include <QString>

// What assistive technology calls a button that shows only a bundle picture ("back.png" ->
// "Back"); empty for a picture that names no action.
QString pictureButtonName(const QString& picture);
