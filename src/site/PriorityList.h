#pragma once

#include <QList>
#include <QMutex>

// The ordering list shared by a screen and the page fetches of one ordered batch: each
// fetch removes its own number once it has handed its result over, and a fetch waits to hand
// over its own until the number it depends on is gone. Every read and change happens under
// the one lock of the list.
class PriorityList
{
public:
    // Appends first, first + 1, ..., first + count - 1.
    void fill(int first, int count);
    void append(int priority);
    bool contains(int priority) const;
    // Removes every entry equal to priority.
    void remove(int priority);
    bool isEmpty() const;
    QList<int> values() const;

private:
    mutable QMutex m_lock;
    QList<int> m_values;
};
