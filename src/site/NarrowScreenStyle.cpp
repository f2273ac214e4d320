#include "site/NarrowScreenStyle.h"

// The site's own sheet sets text of 10-12 px and widths in pixels on tables, cells and
// pictures; !important wins over both the sheet and the attributes. Text gets a floor of
// 14 px but keeps a larger size of its own (headings), a table keeps its columns but shares
// the width instead of running past it, and a text box (cols="60") takes the cell's width.
const QString NarrowScreenStyle::kHeadInsert = QStringLiteral(
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
    "<style id=\"itarnvale-narrow\">"
    "html,body{max-width:100%!important;-webkit-text-size-adjust:100%}"
    "body{margin:4px!important;padding:0!important;font-size:14px!important;"
    "overflow-wrap:break-word}a{overflow-wrap:anywhere}"
    "body *{max-width:100%!important;box-sizing:border-box;min-width:0!important}"
    "body :not(h1):not(h2):not(h3):not(h4){font-size:max(14px,1em)!important}"
    "table{width:100%!important;height:auto!important}"
    "td,th{width:auto!important;white-space:normal!important}"
    "img,video,canvas,svg,object,embed{height:auto!important}"
    "pre,code,textarea{white-space:pre-wrap!important}"
    "input,textarea,select{font-size:14px!important}textarea{width:100%!important}"
    "</style>");

QString NarrowScreenStyle::applyTo(const QString& page)
{
    const qsizetype head = page.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (head < 0)
        return page;
    return page.left(head) + kHeadInsert + page.mid(head);
}
