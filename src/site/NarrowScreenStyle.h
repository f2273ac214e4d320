#pragma once

#include <QString>

// What our cleaned pages (a torrent's details, a profile, a message) carry so that a phone-wide
// web view shows them at a readable size: the site draws them for a desktop, with tables of
// fixed widths that the view would otherwise shrink as a whole to 6-7 pixel text. The style
// keeps every box within the view's width, wraps long words and addresses, scales pictures
// down to fit and gives text a floor size.
class NarrowScreenStyle
{
public:
    // The style sheet itself (and the viewport line), as inserted.
    static const QString kHeadInsert;

    // The page with the style inserted before its "</head>", after the site's own style
    // sheets; a page without a head comes back unchanged.
    static QString applyTo(const QString& page);
};
