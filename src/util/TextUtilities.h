#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// Pure text helpers the site access rests on. Stateless (apart from a constant table);
// callable from any thread.

// Escapes a value for a url-encoded form body: every UTF-8 byte other than an ASCII letter,
// a digit, "-", ".", "_" or "~" becomes "%" and two upper-case hexadecimal digits.
QString stringWithPercentEscape(const QString& text);

// Standard Base64 (RFC 4648 alphabet, "=" padding), on one line whatever the length.
QString base64Encoding(const QByteArray& bytes);

// Escapes the characters that may not stand in a URL (space, quotes, angle brackets, controls,
// non-ASCII as UTF-8 bytes, ...) as "%" and two upper-case hexadecimal digits. Reserved
// characters stay, and so does a "%" that already starts an escape.
QString urlPercentEscape(const QString& text);

// Replaces HTML character references (named, "&#NN;", "&#xHH;") by the characters they
// stand for, in one pass. Malformed, unknown or out-of-range references stay as they are.
// A text without "&" is returned unchanged.
QString gtm_stringByUnescapingFromHTML(const QString& text);

// The named references known to gtm_stringByUnescapingFromHTML, ascending by code point.
struct HtmlEntity
{
    const char* reference; // "&quot;", ampersand and semicolon included
    char16_t character;
};
const HtmlEntity* htmlEntityTable();
std::size_t htmlEntityCount();
