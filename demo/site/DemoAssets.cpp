#include "DemoAssets.h"

#include <httplib.h>

#include <cctype>
#include <string>

namespace {

const char kStyleSheet[] =
    "body{font-family:Verdana,Arial,sans-serif;font-size:12px;background:#f3f3f3;color:#222;margin:0}"
    "a{color:#1d4f91}table.top{background:#1d2b3a;color:#fff}table.top td{padding:6px}"
    "table.top a{color:#fff}td.logo a{font-size:20px;font-weight:bold;text-decoration:none}"
    "table.menu{background:#dfe6ee}table.menu td{padding:4px}td.catmenu{font-size:11px}"
    "td.colhead{background:#1d4f91;color:#fff}td.colhead a{color:#fff}td.colhead h1,td.colhead h2{font-size:15px;margin:2px}"
    "td.heading,td.rowhead{background:#e8edf3;font-weight:bold;width:110px;vertical-align:top}"
    ".green{color:#197b1e}.red{color:#b22}table.footer{color:#777;font-size:10px}"
    "table.comment td.comment_head{background:#eef;font-size:11px}div.message{margin:4px 0;padding:4px;"
    "background:#fffbe6;border:1px solid #eadf9c}"
    // The public pages (front page and listings).
    "#top{background:#1d2b3a;color:#fff;padding:6px;overflow:hidden}#top a{color:#fff}"
    "#logo{float:left;font-size:20px;font-weight:bold}#logo a{text-decoration:none}#userbar{float:right}"
    "ul#mainmenu,ul#catmenu{list-style:none;margin:0;padding:4px;background:#dfe6ee}"
    "ul#catmenu{background:#eef2f6;font-size:11px}ul#mainmenu li,ul#catmenu li{display:inline;margin-right:8px}"
    "#content{padding:6px}#footer{color:#777;font-size:10px;padding:6px}"
    "table.tl tr.tl_head td{background:#1d4f91;color:#fff;font-weight:bold}table.tl td{border-bottom:1px solid #dde}";

} // namespace

void DemoAssets::install(httplib::Server& web)
{
    web.Get("/css/site.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kStyleSheet, "text/css");
    });
    web.Get(R"(/ads/(\w+)\.html)", [](const httplib::Request& req, httplib::Response& res) {
        std::string zone = req.has_param("zone") ? req.get_param_value("zone") : req.matches[1].str();
        // Shown in the page: letters only.
        std::erase_if(zone, [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); });
        res.set_content("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
                        "<body style=\"margin:0;font:12px sans-serif;background:#ffd;border:1px solid #cc9;"
                        "text-align:center;padding:6px\">Seedbox 1 Gbit/s &mdash; the demo's house advert ("
                            + zone + ")</body></html>",
                        "text/html; charset=utf-8");
    });
}
