#!/usr/bin/env python3
"""Writes the application's pictures as SVG files into resources/svg/.

Each file is named after the picture it becomes ("tabbar-all.png.svg" -> "tabbar-all.png");
render-pictures.sh turns them into the PNG and JPEG files of resources/images/.
"""
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "svg")


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">'
            f"<defs>{defs}</defs>{body}</svg>\n")


def write(name, content):
    with open(os.path.join(OUT, name + ".svg"), "w") as f:
        f.write(content)


# Tab bar pictures: opaque shapes on transparent, 60 x 60 (the tab bar tints them as masks
# and scales them to 30 points).
W = 'fill="#fff"'
S = 'fill="none" stroke="#fff" stroke-linecap="round" stroke-linejoin="round"'
tabs = {
    "tabbar-all": f'<g {W}>' + "".join(
        f'<circle cx="11" cy="{y}" r="4"/><rect x="20" y="{y-3.5}" width="32" height="7" rx="3.5"/>'
        for y in (14, 30, 46)) + "</g>",
    "tabbar-forum": f'<path {W} d="M6 10h34a4 4 0 0 1 4 4v18a4 4 0 0 1-4 4H20l-9 8v-8H6a4 4 0 0 1-4-4V14a4 4 0 0 1 4-4z"/>'
                    f'<path {W} opacity="0.75" d="M48 22h6a4 4 0 0 1 4 4v16a4 4 0 0 1-4 4h-4v7l-8-7H28a4 4 0 0 1-4-4v-2h20a4 4 0 0 0 4-4z"/>',
    "tabbar-friends": f'<g {W}><circle cx="22" cy="18" r="9"/><path d="M4 50c0-12 8-20 18-20s18 8 18 20z"/>'
                      f'<circle cx="42" cy="20" r="7.5" opacity="0.75"/><path opacity="0.75" d="M38 30c9 0 17 6 18 18H43c0-7-2-13-5-18z"/></g>',
    "tabbar-history": f'<circle cx="30" cy="30" r="24" {S} stroke-width="6"/><path {S} stroke-width="6" d="M30 15v16l11 7"/>',
    "tabbar-logout": f'<path {W} d="M8 6h26v10h-6v-4H14v36h14v-4h6v10H8z"/><path {W} d="M30 27h16v-8l12 11-12 11v-8H30z"/>',
    "tabbar-remote": f'<rect x="4" y="8" width="52" height="34" rx="4" {S} stroke-width="5"/>'
                     f'<path {W} d="M22 48h16l3 7H19z"/><path {W} d="M24 16l14 9-14 9z"/>',
    "tabbar-settings": f'<g transform="translate(30 30)">' + "".join(
        f'<rect x="-5" y="-27" width="10" height="12" rx="2" {W} transform="rotate({a})"/>' for a in range(0, 360, 45))
        + '<circle r="12" fill="none" stroke="#fff" stroke-width="10"/></g>',
    "tabbar-snatch": f'<path {W} d="M24 4h12v22h10L30 44 14 26h10z"/><path {S} stroke-width="6" d="M6 40v14h48V40"/>',
    "tabbar-web": f'<g {S} stroke-width="4"><circle cx="30" cy="30" r="25"/><ellipse cx="30" cy="30" rx="11" ry="25"/>'
                  f'<path d="M5 30h50M9 17h42M9 43h42M30 5v50"/></g>',
}
for name, body in tabs.items():
    write(name + ".png", svg(60, 60, body))

# Navigation bar buttons: a dark glossy bar button with a white symbol, 48 x 30.
GLOSS = ('<linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#6a6a6a"/><stop offset="0.5" stop-color="#2c2c2c"/>'
         '<stop offset="0.51" stop-color="#141414"/><stop offset="1" stop-color="#0a0a0a"/></linearGradient>')


def bar_button(symbol, w=48, h=30):
    return svg(w, h, f'<rect x="0.75" y="0.75" width="{w-1.5}" height="{h-1.5}" rx="5" fill="url(#g)" '
                     f'stroke="#000" stroke-width="1.5"/><rect x="2" y="2" width="{w-4}" height="1" rx="0.5" '
                     f'fill="#fff" opacity="0.25"/>{symbol}', GLOSS)


write("back.png", svg(50, 30, '<path d="M1 15 L15 1.5 H47 a2.5 2.5 0 0 1 2.5 2.5 V26 a2.5 2.5 0 0 1 -2.5 2.5 H15 Z" '
                              'fill="url(#g)" stroke="#000" stroke-width="1.5" stroke-linejoin="round"/>'
                              '<path d="M34 8 l-8 7 8 7" fill="none" stroke="#fff" stroke-width="3.5" '
                              'stroke-linecap="round" stroke-linejoin="round"/>', GLOSS))
write("previous-toolbar.png", bar_button('<path d="M29 7 L17 15 L29 23 Z" fill="#fff"/>'))
write("forward-toolbar.png", bar_button('<path d="M19 7 L31 15 L19 23 Z" fill="#fff"/>'))
write("download-toolbar.png", bar_button('<path d="M21 5h6v9h5l-8 8-8-8h5z" fill="#fff"/>'
                                         '<path d="M14 20v4h20v-4" fill="none" stroke="#fff" stroke-width="2.5"/>'))
write("imdb-toolbar.png", bar_button(
    '<rect x="12" y="6" width="24" height="18" rx="2" fill="#f5c518"/>'
    + "".join(f'<rect x="{x}" y="8" width="3" height="3" fill="#1a1a1a"/><rect x="{x}" y="19" width="3" height="3" fill="#1a1a1a"/>'
              for x in (14, 19.5, 25, 30.5))
    + '<rect x="14" y="12.5" width="20" height="5" fill="#1a1a1a"/>'))
write("add.png", bar_button('<path d="M24 7v16M16 15h16" stroke="#fff" stroke-width="4" stroke-linecap="round"/>'))

# Row markers.
write("download.png", svg(25, 25, '<radialGradient id="b" cx="0.4" cy="0.3" r="0.8"><stop offset="0" stop-color="#7be07b"/>'
                                  '<stop offset="1" stop-color="#1e8a2a"/></radialGradient>'
                                  '<circle cx="12.5" cy="12.5" r="11.5" fill="url(#b)" stroke="#0d4f14" stroke-width="1"/>'
                                  '<path d="M10 5.5h5v7h3.5l-6 6.5-6-6.5h3.5z" fill="#fff"/>'))
write("downloaded.png", svg(24, 19, '<rect x="0.5" y="0.5" width="23" height="18" rx="4" fill="#2f7fd6" stroke="#1b4f8c"/>'
                                    '<path d="M6 9.5l4 4 8-8" fill="none" stroke="#fff" stroke-width="2.6" '
                                    'stroke-linecap="round" stroke-linejoin="round"/>'))
write("pmButton.png", svg(25, 25, '<rect x="1.5" y="5" width="22" height="15" rx="2" fill="#f2f2f2" stroke="#8a8a8a"/>'
                                  '<path d="M2 6l10.5 8L23 6" fill="none" stroke="#8a8a8a" stroke-width="1.4"/>'))
# Up and down arrows for seeders and leechers, on the rows' background (JPEG has no alpha).
write("up.jpg", svg(20, 20, '<rect width="20" height="20" fill="#222"/><path d="M10 2 L18 14 H13 V18 H7 V14 H2 Z" fill="#3ccf4e"/>'))
write("down.jpg", svg(20, 20, '<rect width="20" height="20" fill="#222"/><path d="M10 18 L18 6 H13 V2 H7 V6 H2 Z" fill="#e5483b"/>'))


def backdrop(w, h, panel_top, panel_bottom, title_y):
    """The login screen's background: dark gradient, the app's name, a panel behind the form."""
    px = (w - 296) / 2 if w <= 400 else (w - 296) / 2
    return svg(w, h,
               f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
               f'<g opacity="0.06" stroke="#fff" stroke-width="1">'
               + "".join(f'<path d="M{x} 0 L{x - h * 0.6:.0f} {h}"/>' for x in range(0, int(w + h * 0.6), 24)) +
               '</g>'
               f'<text x="{w/2}" y="{title_y}" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" '
               f'font-size="38" fill="#fff">iTarnvale</text>'
               f'<text x="{w/2}" y="{title_y + 24}" text-anchor="middle" font-family="Liberation Sans" '
               f'font-size="14" fill="#9cc2e8">Tarnvale tracker on the go</text>'
               f'<rect x="{px}" y="{panel_top}" width="296" height="{panel_bottom - panel_top}" rx="14" '
               f'fill="#000" opacity="0.35" stroke="#fff" stroke-opacity="0.15"/>',
               '<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#1d3a5c"/>'
               '<stop offset="0.55" stop-color="#10202f"/><stop offset="1" stop-color="#080c12"/></linearGradient>')


# With the captcha the form starts at 175 (captcha) and runs to about 465; without, 175..365.
write("loginBack.png", backdrop(320, 480, 165, 470, 90))
write("loginBackShort.png", backdrop(320, 480, 165, 370, 90))
write("loginBack5.png", backdrop(320, 568, 165, 470, 100))
write("loginBackShort5.png", backdrop(320, 568, 165, 370, 100))
write("loginBackShortIpad.png", backdrop(768, 1024, 165, 470, 100))


def title_back(w, h):
    return svg(w, h, f'<rect width="{w}" height="{h}" fill="url(#t)"/><rect y="{h-1}" width="{w}" height="1" fill="#000"/>'
                     f'<rect width="{w}" height="1" fill="#fff" opacity="0.2"/>'
                     f'<text x="12" y="{h/2 + 7}" font-family="Liberation Sans" font-weight="bold" font-size="20" '
                     f'fill="#fff" opacity="0.85">iTarnvale</text>',
               '<linearGradient id="t" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3b5f86"/>'
               '<stop offset="1" stop-color="#172a40"/></linearGradient>')


write("titleBack.png", title_back(320, 50))
write("titleBackIPad.png", title_back(768, 66))

write("bitcoin.png", svg(160, 50,
                         '<rect x="1" y="1" width="158" height="48" rx="10" fill="url(#d)" stroke="#8a5a00" stroke-width="1.5"/>'
                         '<circle cx="25" cy="25" r="16" fill="#f7931a" stroke="#fff" stroke-width="2"/>'
                         '<text x="25" y="32" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" '
                         'font-size="20" fill="#fff">B</text>'
                         '<text x="98" y="31" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" '
                         'font-size="19" fill="#3a2500">Donate</text>',
                         '<linearGradient id="d" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffe08a"/>'
                         '<stop offset="1" stop-color="#f0b429"/></linearGradient>'))

# The list header's buttons: white symbols, 32 x 32.
R = 'fill="none" stroke="#fff" stroke-width="3" stroke-linecap="round" stroke-linejoin="round"'
header = {
    "header-refresh": f'<path {R} d="M25 11a10 10 0 1 0 2 9"/><path fill="#fff" d="M27 4v10h-10z"/>',
    "header-search": f'<circle cx="13" cy="13" r="8" {R}/><path fill="none" stroke="#fff" stroke-width="4" stroke-linecap="round" d="M19 19l8 8"/>',
    "header-filters": f'<path fill="#fff" d="M4 6h24l-9 11v9l-6 3V17z"/>',
    "header-settings": '<g transform="translate(16 16)">' + "".join(
        f'<rect x="-2.5" y="-14" width="5" height="6" rx="1" fill="#fff" transform="rotate({a})"/>' for a in range(0, 360, 45))
        + '<circle r="6.5" fill="none" stroke="#fff" stroke-width="5"/></g>',
}
for name, body in header.items():
    write(name + ".png", svg(32, 32, body))

# Category pictures: a tile in the category's colour with a white glyph, 66 x 66 (rows draw them
# at 33 x 33). The names follow the site's category files ("movies.gif" -> "movies.png").
G = 'fill="#fff"'
L = 'fill="none" stroke="#fff" stroke-width="5" stroke-linecap="round" stroke-linejoin="round"'
categories = {
    "apps": ("#3a7bd5", f'<g {G}><rect x="16" y="16" width="14" height="14" rx="3"/><rect x="36" y="16" width="14" height="14" rx="3"/>'
                        f'<rect x="16" y="36" width="14" height="14" rx="3"/><rect x="36" y="36" width="14" height="14" rx="3" opacity="0.6"/></g>'),
    "audiobooks": ("#8e5ea2", f'<path {L} d="M17 40v-7a16 16 0 0 1 32 0v7"/><rect x="13" y="37" width="10" height="15" rx="3" {G}/>'
                              f'<rect x="43" y="37" width="10" height="15" rx="3" {G}/>'),
    "books": ("#b5651d", f'<path {G} d="M12 18c8-3 15-2 20 2v30c-5-4-12-5-20-2z"/><path {G} opacity="0.8" d="M54 18c-8-3-15-2-20 2v30c5-4 12-5 20-2z"/>'),
    "comics": ("#e8a33d", f'<path {G} d="M14 14h38a4 4 0 0 1 4 4v22a4 4 0 0 1-4 4H30l-10 9v-9h-6a4 4 0 0 1-4-4V18a4 4 0 0 1 4-4z"/>'
                          '<path d="M31 20h5l-1 13h-3z" fill="#e8a33d"/><circle cx="33.5" cy="37.5" r="2.5" fill="#e8a33d"/>'),
    "games": ("#2e9e4f", f'<path {G} d="M20 22h26c7 0 11 6 11 14s-3 12-7 12c-5 0-7-6-10-6H26c-3 0-5 6-10 6-4 0-7-4-7-12s4-14 11-14z"/>'
                         '<path d="M20 30v10M15 35h10" stroke="#2e9e4f" stroke-width="3.5" stroke-linecap="round"/>'
                         '<circle cx="44" cy="32" r="2.6" fill="#2e9e4f"/><circle cx="49" cy="37" r="2.6" fill="#2e9e4f"/>'),
    "anime": ("#d6458b", f'<path {G} d="M33 10l6.5 14.5 15.5 1.5-11.7 10.4 3.4 15.6L33 44l-13.7 8 3.4-15.6L11 26l15.5-1.5z"/>'),
    "misc": ("#7f8c8d", f'<g {G}><circle cx="18" cy="33" r="6"/><circle cx="33" cy="33" r="6"/><circle cx="48" cy="33" r="6"/></g>'),
    "movies": ("#c0392b", f'<rect x="12" y="28" width="42" height="24" rx="3" {G}/>'
                          f'<path {G} d="M12 20l40-8 2 9-40 8z"/>'
                          '<path d="M20 18.5l6 8M31 16.3l6 8M42 14l6 8" stroke="#c0392b" stroke-width="3"/>'),
    "music": ("#2980b9", f'<path {G} d="M26 14l24-5v31a7 6 0 1 1-4-5.4V17l-16 3.4V46a7 6 0 1 1-4-5.4z"/>'),
    "musicvideos": ("#1abc9c", f'<rect x="10" y="14" width="46" height="32" rx="4" {L}/><path {G} d="M26 21v18l14-9z"/>'
                               '<path d="M24 54h18" stroke="#fff" stroke-width="5" stroke-linecap="round"/>'),
    "pictures": ("#f39c12", f'<rect x="11" y="15" width="44" height="36" rx="4" {L}/><circle cx="25" cy="27" r="4.5" {G}/>'
                            f'<path {G} d="M14 48l12-12 8 8 8-11 11 15z"/>'),
    "tv": ("#2c3e50", f'<path {L} d="M24 10l9 9 9-9"/><rect x="10" y="19" width="46" height="32" rx="5" {L}/>'
                      '<rect x="16" y="25" width="34" height="20" rx="2" fill="#fff" opacity="0.5"/>'),
    "cat_unknown": ("#5d6d7e", '<text x="33" y="46" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" '
                               'font-size="40" fill="#fff">?</text>'),
}
for name, (colour, glyph) in categories.items():
    write(name + ".png", svg(66, 66,
                             f'<rect x="1" y="1" width="64" height="64" rx="12" fill="{colour}"/>'
                             f'<rect x="1" y="1" width="64" height="32" rx="12" fill="#fff" opacity="0.12"/>{glyph}'))

print("wrote", len(os.listdir(OUT)), "pictures to", os.path.normpath(OUT))
