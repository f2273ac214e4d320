#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Site addresses built from texts that pages and cookies hand us (a member's name, the "uid"
// cookie, a friend's id): such a text fills its one place in the address and can never
// reshape the rest of it.
class SiteAddress
{
public:
    // The text as one path segment: everything but ASCII letters, digits and "-._~" escaped,
    // so "/", "?", "#", "%", spaces and non-ASCII stay inside the segment. Null for a text that
    // no segment can carry: empty, "." or ".." (every HTTP client folds those into the path
    // around them, and "%2E" is read as ".").
    static QString pathSegment(const QString& text);

    // "http://" + web host + "/users/" + the name as one segment; nullopt when the name has
    // no segment of its own.
    static std::optional<QUrl> profileUrl(const QString& name);

    // True for an id as the site gives them: one or more ASCII digits and nothing else.
    static bool isNumericId(const QString& id);

    // The friends page's removal address for a friend of the user; nullopt unless both ids
    // are numeric.
    static std::optional<QUrl> friendRemovalUrl(const QString& userId, const QString& friendId);
};
