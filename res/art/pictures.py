"""Icons (program, tray, menu, tree), small tree images and the animated GIFs."""
import math

import artlib as A
import glyphs
import skin

CATEGORY_COLORS = [A.NAVY2, A.ACCENT, (124, 77, 196), (226, 116, 36), A.DANGER, (52, 150, 72),
                   (40, 116, 214), A.SLATE]
CATEGORY_GLYPHS = ["window", "globe", "bubble", "document", "play", "arrows", "envelope", "grid"]
# Program icons 8..36 (29 unused): the category they belong to and the initial shown on the tile.
PROGRAM_TILES = {8: (0, "W"), 9: (1, "I"), 10: (1, "N"), 11: (1, "O"), 12: (1, "F"), 13: (2, "I"),
                 14: (2, "Y"), 15: (2, "M"), 16: (3, "S"), 17: (3, "O"), 18: (4, "W"), 19: (4, "W"),
                 20: (4, "R"), 21: (4, "D"), 22: (4, "Q"), 23: (4, "A"), 24: (5, "A"), 25: (5, "B"),
                 26: (5, "U"), 27: (5, "L"), 28: (5, "B"), 30: (6, "T"), 31: (6, "E"), 32: (6, "P"),
                 33: (6, "I"), 34: (7, "A"), 35: (7, "F"), 36: (7, "G")}


def glyph_icon(name, color, size):
    lay = A.Layer(size, size)
    glyphs.draw(lay, name, size * 0.04, size * 0.04, size * 0.92, color, bg=(0, 0, 0, 0))
    return lay.reduce()


def _cutout(name, color, size):
    """Glyph whose inner details are cut out (transparent), for icons on any menu colour."""
    lay = A.Layer(size, size)
    glyphs.draw(lay, name, size * 0.04, size * 0.04, size * 0.92, color, bg=(255, 255, 255, 0))
    return lay.reduce()


def menu_icon(name, color, sizes=(16, 32)):
    return [_cutout(name, color, s) for s in sizes]


def main_icon(sizes=(16, 32, 48)):
    return [skin.logo(s) for s in sizes]


def tray_frame(i, sizes=(16, 32)):
    """Four frames: a bright dot orbits the tile while the sparkle pulses."""
    out = []
    for size in sizes:
        img = skin.logo(size)
        lay = A.Layer(size, size)
        x, y = skin.orbit(size / 2, size / 2, size * 0.32, -135 + 90 * i)
        r = size * 0.13
        lay.ellipse(x - r, y - r, x + r, y + r, fill=A.AMBER, outline=A.WHITE, width=max(1, size / 16))
        small = lay.reduce()
        img.paste(small, (0, 0), small)
        out.append(img)
    return out


# The rule files' category ("More Programs", 37) and the generic icon of its programs (38).
RULES_COLOR = (0, 140, 186)
TREE_ICON_COUNT = 39


def tree_icons():
    """39 icons of 16x16 in one strip, magenta where transparent, blended against the white tree."""
    strip = A.strip(TREE_ICON_COUNT, 16, 16, A.MAGENTA)
    for i in range(TREE_ICON_COUNT):
        lay = A.Layer(16, 16)
        if i < 8:
            glyphs.draw(lay, CATEGORY_GLYPHS[i], 1, 1, 14, CATEGORY_COLORS[i], bg=A.WHITE)
        elif i == 37:
            glyphs.draw(lay, "windows", 1, 1, 14, RULES_COLOR, bg=A.WHITE)
        elif i == 38:
            lay.rrect(1, 1, 15, 15, 3.5, fill=RULES_COLOR)
            glyphs.draw(lay, "program", 3, 3, 10, A.WHITE, bg=RULES_COLOR)
        elif i in PROGRAM_TILES:
            cat, letter = PROGRAM_TILES[i]
            lay.rrect(1, 1, 15, 15, 3.5, fill=CATEGORY_COLORS[cat])
        small = lay.reduce()
        if i in PROGRAM_TILES:
            A.text(small, (8, 8.5), PROGRAM_TILES[i][1], A.font(10, bold=True), (255, 255, 255, 255), anchor="mm")
        A.paste_cell(strip, A.keyed(small, A.WHITE, threshold=40), i)
    return strip


def tree_checks():
    """Four 13x13 state images: no box, empty, partly ticked, ticked; white is the transparent colour."""
    img = A.strip(4, 13, 13, A.WHITE)
    for i in range(1, 4):
        lay = A.Layer(13, 13)
        ticked = i == 3
        lay.rrect(0.5, 0.5, 12.5, 12.5, 2.5, fill=A.ACCENT if ticked else (254, 254, 254),
                  outline=A.ACCENT_DARK if i > 1 else A.SLATE)
        if i == 2:
            lay.rrect(3, 3, 10, 10, 1.5, fill=A.ACCENT)
        if ticked:
            glyphs.draw(lay, "check", 2, 2, 9, A.WHITE)
        A.paste_cell(img, lay, i)
    return img


def tree_expand():
    img = A.strip(2, 9, 9, A.WHITE)
    cell, stroke = A.px(9), A.px(1)
    mid = (cell - stroke) // 2
    for i, sign in enumerate(("plus", "minus")):
        lay = A.Layer(9, 9)
        lay.rrect(0.5, 0.5, 8.5, 8.5, 1.5, fill=A.WHITE, outline=A.SLATE)
        A.paste_cell(img, lay, i)
        pixels = img.load()
        x0 = cell * i
        for d in range(A.px(2), cell - A.px(2)):  # crisp strokes read better than smoothed ones at this size
            for k in range(stroke):
                pixels[x0 + d, mid + k] = A.NAVY
                if sign == "plus":
                    pixels[x0 + mid + k, d] = A.NAVY
    return img


def scan_frames():
    """Eight 16x16 spinner frames in one strip, magenta where transparent."""
    strip = A.strip(8, 16, 16, A.MAGENTA)
    for i in range(8):
        lay = A.Layer(16, 16)
        for k in range(8):
            x, y = skin.orbit(8, 8, 5.5, 45 * k - 90)
            age = (i - k) % 8
            c = A.mix(A.ACCENT, A.WHITE, min(1.0, age / 7 * 1.1))
            r = 1.9 if age == 0 else 1.5
            if age < 6:
                lay.ellipse(x - r, y - r, x + r, y + r, fill=c)
        A.paste_cell(strip, A.keyed(lay.reduce(), A.WHITE, threshold=40), i)
    return strip


def done_image():
    lay = A.Layer(16, 16)
    lay.ellipse(0.5, 0.5, 15.5, 15.5, fill=(46, 160, 67))
    glyphs.draw(lay, "check", 3, 3, 10, A.WHITE)
    return A.keyed(lay.reduce(), A.WHITE, threshold=40)


def shell_menu_bitmap():
    img = A.canvas(16, 16, A.WHITE)
    lay = A.Layer(16, 16)
    glyphs.draw(lay, "shredder", 1, 1, 14, A.NAVY2)
    return A.paste_layer(img, lay)


def gif_working():
    """Sweep page: a radar sweep around the shield, 103x75."""
    w, h, n = 103, 75, 12
    frames = []
    for i in range(n):
        img = A.canvas(w, h, A.WHITE)
        lay = A.Layer(w, h)
        cx, cy, r = w / 2, h / 2, 32
        lay.ellipse(cx - r, cy - r, cx + r, cy + r, fill=A.MIST, outline=A.LINE)
        lay.ellipse(cx - 20, cy - 20, cx + 20, cy + 20, outline=A.LINE)
        start = 360 / n * i - 90
        for k in range(6):  # fading trail behind the beam
            a0 = start - 14 * (k + 1)
            pts = [(cx, cy)] + [skin.orbit(cx, cy, r - 1, a0 + t) for t in range(0, 15, 3)]
            lay.polygon(pts, fill=A.mix(A.ACCENT, A.MIST, 0.25 + k * 0.13))
        lay.line([(cx, cy), skin.orbit(cx, cy, r - 1, start)], A.ACCENT_DARK, 1.6)
        glyphs.draw(lay, "shield", cx - 9, cy - 9, 18, A.NAVY2, bg=A.WHITE)
        frames.append(A.paste_layer(img, lay))
    return frames, [8] * n


def gif_junk_search():
    """Junk search: a magnifier circling over a folder, 103x106."""
    w, h, n = 103, 106, 12
    frames = []
    for i in range(n):
        img = A.canvas(w, h, A.WHITE)
        lay = A.Layer(w, h)
        lay.ellipse(8, 88, 95, 102, fill=A.MIST)
        glyphs.draw(lay, "folder", 22, 34, 60, (250, 196, 80))
        lay.rrect(30, 50, 74, 62, 2, fill=A.WHITE)
        x, y = skin.orbit(50, 48, 16, 360 / n * i)
        lay.ellipse(x - 15, y - 15, x + 9, y + 9, fill=(255, 255, 255, 150), outline=A.NAVY2, width=3.2)
        lay.line([(x + 7, y + 7), (x + 19, y + 19)], A.NAVY2, 5)
        frames.append(A.paste_layer(img, lay))
    return frames, [8] * n


def gif_deleting():
    """Deletion progress: a page flies from the folder into the bin, 272x134."""
    w, h, n = 272, 134, 12
    frames = []
    for i in range(n):
        img = A.canvas(w, h, A.WHITE)
        lay = A.Layer(w, h)
        lay.ellipse(20, 108, 110, 122, fill=A.MIST)
        lay.ellipse(170, 108, 250, 122, fill=A.MIST)
        glyphs.draw(lay, "folder", 30, 40, 72, (250, 196, 80))
        glyphs.draw(lay, "trash", 176, 40, 70, A.ACCENT, bg=A.WHITE)
        t = i / (n - 1)
        x = 60 + (150 * t)
        y = 60 - math.sin(t * math.pi) * 48
        s = 28 - 10 * t
        glyphs.draw(lay, "document", x - s / 2, y - s / 2, s, A.NAVY2, bg=A.WHITE)
        for k in range(1, 4):  # motion dots behind the page
            tk = max(0.0, t - k * 0.06)
            lay.ellipse(60 + 150 * tk - 2, 60 - math.sin(tk * math.pi) * 48 + 14 - 2,
                        60 + 150 * tk + 2, 60 - math.sin(tk * math.pi) * 48 + 14 + 2,
                        fill=A.mix(A.ACCENT, A.WHITE, 0.3 + 0.2 * k))
        frames.append(A.paste_layer(img, lay))
    return frames, [7] * (n - 1) + [30]
