#pragma once

#include <QString>

struct DemoTorrent;

// Small text helpers the demo pages share.
class DemoHtml
{
public:
    // Writes "&", "<", ">", the double quote and the apostrophe as the site does
    // ("&amp;", "&lt;", "&gt;", "&quot;", "&#39;").
    static QString escape(const QString& text);
    // "845 bytes", "12.50 KB", "1,023.44 MB", "4.37 GB": the unit keeps the number under
    // ten thousand, with thousands commas and two decimals above bytes.
    static QString sizeText(qint64 bytes);
    // The site-relative addresses a listing row carries.
    static QString detailsPath(const DemoTorrent& torrent);
    static QString downloadPath(const DemoTorrent& torrent);
};
