// A web view showing an HTML text with a base address, as the page screens do.
#include "gallery/GalleryScene.h"
#include "platform/ui/WebView.h"

#include <QUrl>

namespace {

QWidget* webViewWithText()
{
    auto* view = new WebView;
    view->resize(320, 416);
    view->setScalesPageToFit(true);
    view->loadHTMLString(QStringLiteral(
        "<html><head><style>"
        "body{font-family:'Liberation Sans',sans-serif;margin:10px;background:#f4f6f9;color:#222}"
        "h1{font-size:19px;margin:0 0 8px;color:#1d3c6e}"
        "table{border-collapse:collapse;width:100%;font-size:13px}"
        "td{border-bottom:1px solid #d6dbe3;padding:4px 2px}"
        "a{color:#2a63c4}"
        "</style></head><body>"
        "<h1>Ubuntu 24.04 Desktop amd64</h1>"
        "<table><tr><td>Size</td><td>5.7 GB</td></tr><tr><td>Seeders</td><td>1204</td></tr>"
        "<tr><td>Leechers</td><td>37</td></tr><tr><td>Added</td><td>2024-04-25</td></tr></table>"
        "<p>A page handed to the view as text; <a href='details/4711'>relative links</a> resolve "
        "against the base address <code>http://127.0.0.1:9/</code>.</p>"
        "</body></html>"),
        QUrl(QStringLiteral("http://127.0.0.1:9/")));
    return view;
}

} // namespace

GALLERY_SCENE(QStringLiteral("webview-html"), [] { return webViewWithText(); }, {});
