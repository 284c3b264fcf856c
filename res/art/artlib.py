"""Palette, type face, drawing helpers and file writers shared by every image of the skin.

Drawing code works in lengths at 100 %; the helpers here draw them at SCALE (1, 1.5 or 2) on a
larger canvas, so each scale is drawn afresh rather than stretched from a smaller picture.
"""
import contextlib
import math
import struct

from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor for shapes; text is drawn at full size for crispness
MAGENTA = (255, 0, 255)

# One palette for everything.
WHITE = (255, 255, 255)
INK = (30, 41, 59)
NAVY = (18, 45, 74)
NAVY2 = (27, 78, 122)
SLATE = (100, 116, 139)
MIST = (241, 245, 249)
LINE = (214, 221, 230)
ACCENT = (13, 158, 124)
ACCENT_HOVER = (22, 182, 144)
ACCENT_DARK = (9, 116, 92)
ACCENT_PALE = (220, 245, 236)
ACCENT_PALE2 = (196, 235, 221)
DANGER = (214, 64, 58)
DANGER_HOVER = (234, 88, 80)
DANGER_DARK = (170, 42, 38)
AMBER = (240, 160, 40)
AMBER_PALE = (255, 246, 230)
DISABLED_FILL = (229, 233, 238)
DISABLED_TEXT = (150, 160, 172)
LEFT_BG = (236, 241, 246)
DIGIT_GREEN = (70, 155, 27)

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"

SCALE = 1  # the scale being drawn; stays the int 1 at 100 % so that set is drawn exactly as before


@contextlib.contextmanager
def scaled(scale):
    global SCALE
    old, SCALE = SCALE, scale
    try:
        yield
    finally:
        SCALE = old


def px(v):
    """A length at 100 % in pixels at SCALE, rounded half up as the program rounds its lengths."""
    if SCALE == 1:
        return v
    return int(math.floor(v * SCALE + 0.5))


def font(size, bold=False, condensed=False):
    name = "DejaVuSans" + ("Condensed" if condensed else "") + ("-Bold" if bold else "") + ".ttf"
    f = ImageFont.truetype(FONT_DIR + name, px(size))
    f.logical_size = size
    return f


def length(f, s):
    """Width of the text at 100 %."""
    w = f.getlength(s)
    return w if SCALE == 1 else w / SCALE


def fit_font(text, max_width, size, bold=True, min_size=8):
    """Largest size not above `size` whose text fits; condensed as a last resort."""
    for condensed in (False, True):
        for s in range(size, min_size - 1, -1):
            f = font(s, bold, condensed)
            if length(f, text) <= max_width:
                return f
    return font(min_size, bold, True)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Layer:
    """A supersampled RGBA layer: draw shapes in full-size coordinates, then reduce."""

    def __init__(self, w, h):
        self.w, self.h = px(w), px(h)
        # An odd length at 1.5 rounds up half a pixel: stretch each axis by that little, so shapes
        # that touch the edges at 100 % touch them at every scale.
        self.kx = SS if SCALE == 1 else SS * self.w / w
        self.ky = SS if SCALE == 1 else SS * self.h / h
        self.kr = SS * SCALE  # radii and stroke widths
        self.img = Image.new("RGBA", (self.w * SS, self.h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def box(self, x0, y0, x1, y1):
        return [x0 * self.kx, y0 * self.ky, x1 * self.kx - 1, y1 * self.ky - 1]

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1):
        self.d.rounded_rectangle(self.box(x0, y0, x1, y1), radius=r * self.kr, fill=rgba(fill),
                                 outline=rgba(outline), width=int(width * self.kr))

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self.d.ellipse(self.box(x0, y0, x1, y1), fill=rgba(fill), outline=rgba(outline),
                       width=int(width * self.kr))

    def polygon(self, pts, fill=None):
        self.d.polygon([(x * self.kx, y * self.ky) for x, y in pts], fill=rgba(fill))

    def line(self, pts, color, width=1.0):
        self.d.line([(x * self.kx, y * self.ky) for x, y in pts], fill=rgba(color),
                    width=max(1, int(width * self.kr)), joint="curve")
        r = width * self.kr / 2
        for x, y in (pts[0], pts[-1]):  # round caps
            cx, cy = x * self.kx, y * self.ky
            self.d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=rgba(color))

    def arc(self, x0, y0, x1, y1, start, end, color, width=1.0):
        self.d.arc(self.box(x0, y0, x1, y1), start, end, fill=rgba(color), width=max(1, int(width * self.kr)))

    def reduce(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def rgba(c):
    if c is None:
        return None
    return c if len(c) == 4 else (c[0], c[1], c[2], 255)


def canvas(w, h, color=WHITE):
    return Image.new("RGB", (px(w), px(h)), color)


def strip(count, cell_w, cell_h, color):
    """A strip of `count` cells; each cell is scaled on its own so the width stays count x cell."""
    return Image.new("RGB", (count * px(cell_w), px(cell_h)), color)


def fill(img, color, box):
    img.paste(color, tuple(px(v) for v in box))


def crop(img, x, y, w, h):
    """The w x h part at (x, y), its size scaled as the program scales a size."""
    x0, y0 = px(x), px(y)
    return img.crop((x0, y0, x0 + px(w), y0 + px(h)))


def paste_layer(base, layer, x=0, y=0):
    small = layer.reduce()
    base.paste(small, (px(x), px(y)), small)
    return base


def paste_cell(strip_img, cell, i):
    """Puts a cell (a Layer, or a picture with no clear parts) at index i of a strip."""
    if isinstance(cell, Layer):
        small = cell.reduce()
        strip_img.paste(small, (i * small.width, 0), small)
    else:
        strip_img.paste(cell, (i * cell.width, 0))
    return strip_img


def gradient(w, h, top, bottom, horizontal=False):
    w, h = px(w), px(h)
    img = Image.new("RGB", (w, h))
    pixels = img.load()
    n = (w if horizontal else h) - 1 or 1
    for y in range(h):
        for x in range(w):
            t = (x if horizontal else y) / n
            pixels[x, y] = mix(top, bottom, t)
    return img


def text(img, xy, s, f, color, anchor="la"):
    if SCALE != 1:
        xy = (xy[0] * SCALE, xy[1] * SCALE)
    ImageDraw.Draw(img).text(xy, s, font=f, fill=color, anchor=anchor)


def keyed(layer_img, blend_bg, threshold=24):
    """Flatten an RGBA image onto the colour it will be seen on; fully clear pixels become magenta."""
    out = Image.new("RGB", layer_img.size, blend_bg)
    out.paste(layer_img, (0, 0), layer_img)
    alpha = layer_img.getchannel("A").point(lambda a: 255 if a < threshold else 0)
    out.paste(Image.new("RGB", layer_img.size, MAGENTA), (0, 0), alpha)
    return out


def round_corners(img, radius, corners=("tl", "tr", "bl", "br")):
    """Paints magenta outside a quarter circle of `radius` in the given corners."""
    w, h = img.size
    r = radius * SCALE
    pixels = img.load()
    for cy in range(math.ceil(r)):
        for cx in range(math.ceil(r)):
            dx, dy = r - cx - 0.5, r - cy - 0.5
            if math.hypot(dx, dy) <= r:
                continue
            for name, x, y in (("tl", cx, cy), ("tr", w - 1 - cx, cy), ("bl", cx, h - 1 - cy),
                               ("br", w - 1 - cx, h - 1 - cy)):
                if name in corners:
                    pixels[x, y] = MAGENTA
    return img


def save_bmp(img, path):
    img.convert("RGB").save(path, "BMP")


def save_png(img, path):
    img.convert("RGB").save(path, "PNG", optimize=True)


def save_ico(images, path):
    """Classic ICO of 32-bit BGRA entries with AND masks (no PNG entries, for every loader)."""
    entries, blobs = [], []
    for im in images:
        im = im.convert("RGBA")
        w, h = im.size
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        px = im.load()
        color = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                color += bytes((b, g, r, a))
        stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blob = header + bytes(color) + bytes(mask)
        entries.append((w, h, len(blob)))
        blobs.append(blob)
    offset = 6 + 16 * len(entries)
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    for (w, h, size) in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, size, offset)
        offset += size
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def save_gif(frames, path, delays_cs, disposal=1):
    """Animated GIF; frames are RGB images of one size, delays in hundredths of a second."""
    pal = [f.convert("P", palette=Image.ADAPTIVE, colors=255) for f in frames]
    pal[0].save(path, "GIF", save_all=True, append_images=pal[1:], duration=[d * 10 for d in delays_cs],
                loop=0, disposal=disposal, optimize=False)
