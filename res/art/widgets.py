"""Buttons, tabs, check boxes, radios and headers: every skinned control image."""
from artlib import *  # noqa: F401,F403
import artlib as A
import glyphs

STATES = ("normal", "hover", "pressed", "disabled")

_KINDS = {
    # kind: state -> (fill, border, text)
    "primary": {"normal": (A.ACCENT, A.ACCENT_DARK, A.WHITE), "hover": (A.ACCENT_HOVER, A.ACCENT, A.WHITE),
                "pressed": (A.ACCENT_DARK, A.ACCENT_DARK, A.WHITE)},
    "danger": {"normal": (A.DANGER, A.DANGER_DARK, A.WHITE), "hover": (A.DANGER_HOVER, A.DANGER, A.WHITE),
               "pressed": (A.DANGER_DARK, A.DANGER_DARK, A.WHITE)},
    "secondary": {"normal": (A.WHITE, A.LINE, A.NAVY), "hover": (A.ACCENT_PALE, A.ACCENT, A.ACCENT_DARK),
                  "pressed": (A.ACCENT_PALE2, A.ACCENT_DARK, A.ACCENT_DARK)},
}
_DISABLED = ((236, 239, 243), (222, 227, 233), A.DISABLED_TEXT)


def button(w, h, label, state, kind="secondary", bg=A.WHITE, glyph=None, size=None, radius=None):
    fill, border, ink = _DISABLED if state == "disabled" else _KINDS[kind][state]
    img = A.canvas(w, h, bg)
    r = radius if radius is not None else min(7, h / 2 - 1)
    lay = A.Layer(w, h)
    if state == "hover" and kind != "secondary":
        lay.rrect(0, 0, w, h, r, fill=A.mix(fill, A.WHITE, 0.5))  # soft halo
        lay.rrect(1, 1, w - 1, h - 1, r - 1, fill=fill, outline=border)
    else:
        lay.rrect(0.5, 0.5, w - 0.5, h - 0.5, r, fill=fill, outline=border)
    if state == "pressed":  # inner shadow along the top edge sells the push
        lay.rrect(1.5, 1.5, w - 1.5, 4, 2, fill=A.mix(fill, A.INK, 0.18))
        lay.rrect(1.5, 3, w - 1.5, h - 1.5, r - 1, fill=fill)
    A.paste_layer(img, lay)
    dy = 1 if state == "pressed" else 0
    size = size or max(10, min(14, h // 2))
    gs = int(min(h * 0.55, 26)) if glyph else 0
    gap = 6 if glyph else 0
    f = A.fit_font(label, w - 14 - gs - gap, size)
    if glyph and f.logical_size < 10:  # a legible label matters more than the glyph
        gs = gap = 0
        f = A.fit_font(label, w - 12, size)
    tw = A.length(f, label)
    x0 = (w - (gs + gap + tw)) / 2
    if gs:  # a glyph given up for the label leaves no speck behind
        g = A.Layer(w, h)
        glyphs.draw(g, glyph, x0, (h - gs) / 2 + dy, gs, ink, bg=fill)
        A.paste_layer(img, g)
    A.text(img, (x0 + gs + gap, h / 2 + dy), label, f, ink, anchor="lm")
    return img


def button_set(w, h, label, kind="secondary", bg=A.WHITE, glyph=None, size=None):
    return {s: button(w, h, label, s, kind, bg, glyph, size) for s in STATES}


BANNER_BUTTON = (29, 23)  # minimise and close, cut from the banner


def banner_button(banner_crop, glyph, state, danger=False):
    """Minimise/close: a glyph on the banner itself, so the button blends into it."""
    img = banner_crop.copy()
    w, h = BANNER_BUTTON
    lay = A.Layer(w, h)
    if state == "hover":
        lay.rrect(1, 1, w - 1, h - 1, 5, fill=A.DANGER if danger else (255, 255, 255, 52))
    elif state == "pressed":
        lay.rrect(1, 1, w - 1, h - 1, 5, fill=A.DANGER_DARK if danger else (0, 0, 0, 70))
    glyphs.draw(lay, glyph, (w - 15) / 2, (h - 15) / 2 + (1 if state == "pressed" else 0), 15, A.WHITE)
    A.paste_layer(img, lay)
    return img


def side_tab(w, h, label, glyph, state, bg):
    """Main window tab (magenta outside the pill so the column shows through)."""
    lay = A.Layer(w, h)
    ink, gink = A.NAVY, A.NAVY2
    if state == "hot":
        lay.rrect(1, 1, w - 1, h - 1, 9, fill=(219, 231, 242))
    elif state == "selected":
        lay.rrect(1, 1, w - 1, h - 1, 9, fill=A.ACCENT)
        lay.rrect(1, 1, 6, h - 1, 3, fill=A.ACCENT_DARK)
        ink = gink = A.WHITE
    glyphs.draw(lay, glyph, 10, (h - 18) / 2, 18, gink, bg=A.ACCENT if state == "selected" else bg)
    small = lay.reduce()
    A.text(small, (35, h / 2), label, A.font(12, bold=True), ink + (255,), anchor="lm")
    return A.keyed(small, bg)


def top_tab(w, h, label, state):
    lay = A.Layer(w, h)
    if state == "selected":
        lay.rrect(0.5, 0.5, w - 0.5, h + 8, 7, fill=A.ACCENT)
        ink = A.WHITE
    else:
        lay.rrect(0.5, 0.5, w - 0.5, h + 8, 7, fill=A.MIST, outline=A.LINE)
        ink = A.NAVY2
    small = lay.reduce()
    A.text(small, (w / 2, h / 2 + 1), label, A.fit_font(label, w - 12, 12), ink + (255,), anchor="mm")
    return A.keyed(small, A.WHITE)


def check_strip():
    """Six 12x12 frames: unticked normal/hover/pressed, ticked normal/hover/pressed (opaque)."""
    img = A.strip(6, 12, 12, A.WHITE)
    looks = [(A.WHITE, A.SLATE), (A.ACCENT_PALE, A.ACCENT), (A.ACCENT_PALE2, A.ACCENT_DARK),
             (A.ACCENT, A.ACCENT_DARK), (A.ACCENT_HOVER, A.ACCENT), (A.ACCENT_DARK, A.ACCENT_DARK)]
    for i, (fill, border) in enumerate(looks):
        lay = A.Layer(12, 12)
        lay.rrect(0.5, 0.5, 11.5, 11.5, 2.5, fill=fill, outline=border)
        if i >= 3:
            glyphs.draw(lay, "check", 1.5, 1.5, 9, A.WHITE)
        A.paste_cell(img, lay, i)
    return img


def radio_strip():
    """Same six frames as round radios; outside the circle is magenta."""
    out = A.strip(6, 12, 12, A.MAGENTA)
    looks = [(A.WHITE, A.SLATE), (A.ACCENT_PALE, A.ACCENT), (A.ACCENT_PALE2, A.ACCENT_DARK),
             (A.WHITE, A.ACCENT), (A.ACCENT_PALE, A.ACCENT), (A.ACCENT_PALE2, A.ACCENT_DARK)]
    for i, (fill, border) in enumerate(looks):
        lay = A.Layer(12, 12)
        lay.ellipse(0.5, 0.5, 11.5, 11.5, fill=fill, outline=border, width=1.2)
        if i >= 3:
            lay.ellipse(3, 3, 9, 9, fill=A.ACCENT if i != 5 else A.ACCENT_DARK)
        A.paste_cell(out, A.keyed(lay.reduce(), A.WHITE, threshold=60), i)
    return out


def header(title, subtitle, glyph):
    """161x61 page header: icon tile, title and a short line under it."""
    img = A.canvas(161, 61, A.WHITE)
    lay = A.Layer(161, 61)
    lay.rrect(0, 8, 44, 52, 11, fill=A.ACCENT)
    glyphs.draw(lay, glyph, 10, 18, 24, A.WHITE, bg=A.ACCENT)
    A.paste_layer(img, lay)
    A.text(img, (54, 28), title, A.fit_font(title, 105, 17), A.NAVY, anchor="ls")
    A.text(img, (54, 44), subtitle, A.fit_font(subtitle, 105, 11, bold=False), A.SLATE, anchor="ls")
    return img
