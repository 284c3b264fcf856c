"""The main window's four skin pieces, splash and welcome pictures, and the progress dialog's art."""
import math

import artlib as A
import glyphs

# Main window client: 400 x 343 dialog units of Verdana 9 (8 x 16 pixel base units) = 800 x 686 pixels.
CLIENT_W, CLIENT_H = 800, 686
TOP_H = 128
LEFT_W = 170
RIGHT_W = 8
BOTTOM_H = 36
CORNER = 7


def logo(size, bg=None):
    """The product mark: a rounded teal tile with a white shield and a sparkle."""
    lay = A.Layer(size, size)
    lay.rrect(0, 0, size, size, size * 0.24, fill=A.ACCENT)
    lay.rrect(0, size * 0.55, size, size, size * 0.24, fill=(11, 128, 110))
    lay.rrect(0, size * 0.45, size, size * 0.7, 0, fill=A.mix(A.ACCENT, (11, 128, 110), 0.5))
    if size >= 24:
        glyphs.draw(lay, "shield", size * 0.18, size * 0.14, size * 0.64, A.WHITE)
        glyphs.draw(lay, "sparkle", size * 0.33, size * 0.3, size * 0.34, A.ACCENT)
    else:
        glyphs.draw(lay, "sparkle", size * 0.12, size * 0.12, size * 0.76, A.WHITE)
    img = lay.reduce()
    if bg is None:
        return img
    out = A.canvas(size, size, bg)
    out.paste(img, (0, 0), img)
    return out


def _paste_logo(img, x, y, size):
    mark = logo(size)
    img.paste(mark, (A.px(x), A.px(y)), mark)


def top_banner():
    """Drawn once a scale: the minimise and close buttons are cut from it too."""
    if A.SCALE not in _banners:
        _banners[A.SCALE] = _draw_top_banner()
    return _banners[A.SCALE].copy()


_banners = {}


def _draw_top_banner():
    img = A.gradient(CLIENT_W, TOP_H, A.NAVY, A.NAVY2, horizontal=True)
    lay = A.Layer(CLIENT_W, TOP_H)
    for cx, cy, r, a in ((700, -20, 150, 18), (560, 150, 110, 12), (790, 120, 70, 14)):
        lay.ellipse(cx - r, cy - r, cx + r, cy + r, fill=(255, 255, 255, a))
    lay.rrect(0, TOP_H - 3, CLIENT_W, TOP_H, 0, fill=A.ACCENT)
    A.paste_layer(img, lay)
    _paste_logo(img, 26, 30, 62)
    A.text(img, (104, 64), "Scourwell", A.font(34, bold=True), A.WHITE, anchor="ls")
    A.text(img, (106, 90), "Privacy trace cleaner", A.font(15), A.ACCENT_PALE2, anchor="ls")
    return A.round_corners(img, CORNER, ("tl", "tr"))


def left_column():
    h = CLIENT_H - TOP_H
    img = A.canvas(LEFT_W, h, A.LEFT_BG)
    A.fill(img, A.LINE, (LEFT_W - 1, 0, LEFT_W, h))
    A.text(img, (20, 40), "TOOLS", A.font(10, bold=True), A.SLATE, anchor="ls")
    A.text(img, (20, 316), "SUPPORT", A.font(10, bold=True), A.SLATE, anchor="ls")
    return img


def right_column():
    h = CLIENT_H - TOP_H
    img = A.canvas(RIGHT_W, h, A.LEFT_BG)
    A.fill(img, A.LINE, (0, 0, 1, h))
    return img


def bottom_strip():
    img = A.canvas(CLIENT_W, BOTTOM_H, A.LEFT_BG)
    A.fill(img, A.LINE, (0, 0, CLIENT_W, 1))
    A.text(img, (20, BOTTOM_H / 2 + 1), "Scourwell 1.0  \u00b7  Sweep traces, clean junk, shred files",
           A.font(11), A.SLATE, anchor="lm")
    return A.round_corners(img, CORNER, ("bl", "br"))


def splash():
    img = A.gradient(456, 300, A.NAVY, A.NAVY2)
    lay = A.Layer(456, 300)
    for cx, cy, r, a in ((420, 20, 160, 16), (60, 320, 140, 12)):
        lay.ellipse(cx - r, cy - r, cx + r, cy + r, fill=(255, 255, 255, a))
    A.paste_layer(img, lay)
    _paste_logo(img, 188, 52, 80)
    A.text(img, (228, 178), "Scourwell", A.font(36, bold=True), A.WHITE, anchor="ms")
    A.text(img, (228, 206), "Privacy trace cleaner", A.font(15), A.ACCENT_PALE2, anchor="ms")
    A.text(img, (228, 272), "Starting\u2026", A.font(12), (170, 190, 210), anchor="ms")
    return img


def welcome():
    """Also the tray menu's background: the left part stays plain so menu text reads well."""
    img = A.canvas(456, 300, (248, 250, 252))
    lay = A.Layer(456, 300)
    lay.ellipse(330, 180, 560, 410, fill=A.ACCENT_PALE)
    lay.ellipse(380, 220, 540, 380, fill=A.ACCENT_PALE2)
    A.paste_layer(img, lay)
    _paste_logo(img, 220, 28, 56)
    A.text(img, (220, 112), "Welcome to", A.font(16), A.SLATE, anchor="ls")
    A.text(img, (220, 144), "Scourwell", A.font(28, bold=True), A.NAVY, anchor="ls")
    y = 176
    for line in ("Sweep privacy traces", "Clean up junk files", "Shred files for good"):
        g = A.Layer(16, 16)
        glyphs.draw(g, "check", 0, 0, 16, A.ACCENT)
        A.paste_layer(img, g, 220, y - 12)
        A.text(img, (242, y), line, A.font(13), A.INK, anchor="ls")
        y += 24
    return img


def result_background():
    w, h = 429, 302
    img = A.canvas(w, h, A.WHITE)
    lay = A.Layer(w, h)
    lay.rrect(0.5, 0.5, w - 0.5, h - 0.5, 10, outline=A.LINE)
    lay.rrect(1, 1, w - 1, 6, 0, fill=A.ACCENT)
    for y0 in (173, 210):
        lay.rrect(150, y0, 246, y0 + 30, 6, fill=A.MIST, outline=A.LINE)
    A.paste_layer(img, lay)
    _paste_logo(img, 22, 24, 40)
    A.text(img, (22, 90), "Cleaning up", A.font(16, bold=True), A.NAVY, anchor="ls")
    A.text(img, (22, 110), "Removing the", A.font(11), A.SLATE, anchor="ls")
    A.text(img, (22, 125), "selected traces", A.font(11), A.SLATE, anchor="ls")
    A.text(img, (22, 160), "Progress", A.font(11, bold=True), A.SLATE, anchor="ls")
    A.text(img, (142, 188), "Deleted Items :", A.font(12, bold=True), A.INK, anchor="rm")
    A.text(img, (142, 225), "Undeteled Items :", A.font(12, bold=True), A.INK, anchor="rm")
    return A.round_corners(img, 10)


def segment(on):
    img = A.canvas(24, 11, A.WHITE)
    lay = A.Layer(24, 11)
    lay.rrect(1, 0.5, 23, 10.5, 3, fill=A.ACCENT if on else (226, 231, 237))
    if on:
        lay.rrect(2, 1.5, 22, 4.5, 2, fill=A.ACCENT_HOVER)
    return A.paste_layer(img, lay)


def alert():
    w, h = 275, 42
    img = A.canvas(w, h, A.WHITE)
    lay = A.Layer(w, h)
    lay.rrect(0.5, 0.5, w - 0.5, h - 0.5, 7, fill=A.AMBER_PALE, outline=A.AMBER)
    glyphs.draw(lay, "warning", 10, 10, 22, A.AMBER, bg=A.AMBER_PALE)
    A.paste_layer(img, lay)
    f = A.font(11, bold=True)
    A.text(img, (42, 18), "Alert : For certain reasons,", f, (120, 70, 0), anchor="ls")
    A.text(img, (42, 33), "some files can not be removed.", A.font(11), (120, 70, 0), anchor="ls")
    return img


def orbit(cx, cy, r, angle_deg):
    a = math.radians(angle_deg)
    return cx + math.cos(a) * r, cy + math.sin(a) * r
