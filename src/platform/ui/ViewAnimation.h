#pragma once

#include <functional>

class QWidget;

// The short view transitions of the phone platform: a view slides in over or out of its
// parent. Animations last kDuration ms; the completion runs once at the end (never when
// the widget is destroyed first: it goes with its owner).
class ViewAnimation
{
public:
    enum class Edge { Left, Right, Bottom };
    static constexpr int kDuration = 250;

    // Moves the widget from just beyond `from` of its parent to its current position.
    static void slideIn(QWidget* widget, Edge from, std::function<void()> done);
    // Moves the widget from its current position to just beyond `to`, then puts it back
    // where it was (the caller hides it in `done`).
    static void slideOut(QWidget* widget, Edge to, std::function<void()> done);
};
