#pragma once

// What every fuzz target shares: how the input becomes a page, how an input is cut in two,
// and a check that stops the run (libFuzzer then keeps the input as a crash).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The input's bytes, not copied: a read past the input is a read past libFuzzer's buffer,
// which AddressSanitizer reports.
QByteArray fuzzBytes(const uint8_t* data, size_t size);

// The page a reader gets: the bytes as the app decodes an answer. Bytes the app could not
// decode (it would never hand them to a reader) still give a page, read as UTF-8 with
// replacement characters, so that no input is wasted.
QString fuzzPage(const QByteArray& bytes);

// Cuts the input at its first NUL byte: the part before it and the rest (empty first part
// and the whole input when there is none).
struct FuzzSplit
{
    QByteArray head;
    QByteArray rest;
};
FuzzSplit fuzzSplit(const QByteArray& bytes);

// Prints what failed and aborts.
[[noreturn]] void fuzzFail(const char* file, int line, const char* condition);

#define FUZZ_ASSERT(condition)                                   \
    do {                                                         \
        if (!(condition))                                        \
            fuzzFail(__FILE__, __LINE__, #condition);            \
    } while (false)

// True when part occurs in text (a result read out of the page must be a piece of it).
bool fuzzWithin(const QString& part, const QString& text);
