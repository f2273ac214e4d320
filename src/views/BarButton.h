#pragma once

#include <QString>

class Button;

// A navigation bar button of the settings and filter screens: 50 x 47 points showing a bundle
// picture ("back.png", "add.png"), named for tests.
Button* makeBarButton(const QString& objectName, const QString& picture);
