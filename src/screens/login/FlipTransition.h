#pragma once

#include <QPixmap>

#include <functional>

class QWidget;

// The phone's flip transition: a picture of the old content turns away around the vertical
// axis and the new content turns in behind it, over `host`, in kDuration milliseconds.
// The caller swaps the real views in `done`; meanwhile the host's input is covered.
class FlipTransition
{
public:
    enum class From { Left, Right };
    static constexpr int kDuration = 1000;

    static void flip(QWidget* host, const QPixmap& from, const QPixmap& to, From side,
                     std::function<void()> done);
};
