"""Palette, type face, drawing helpers and file writers shared by every image of the skin."""
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


def font(size, bold=False, condensed=False):
    name = "DejaVuSans" + ("Condensed" if condensed else "") + ("-Bold" if bold else "") + ".ttf"
    return ImageFont.truetype(FONT_DIR + name, size)


def fit_font(text, max_width, size, bold=True, min_size=8):
    """Largest size not above `size` whose text fits; condensed as a last resort."""
    for condensed in (False, True):
        for s in range(size, min_size - 1, -1):
            f = font(s, bold, condensed)
            if f.getlength(text) <= max_width:
                return f
    return font(min_size, bold, True)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Layer:
    """A supersampled RGBA layer: draw shapes in full-size coordinates, then reduce."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    @staticmethod
    def _s(v):
        return v * SS

    def box(self, x0, y0, x1, y1):
        return [x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1]

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1):
        self.d.rounded_rectangle(self.box(x0, y0, x1, y1), radius=r * SS, fill=rgba(fill),
                                 outline=rgba(outline), width=int(width * SS))

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self.d.ellipse(self.box(x0, y0, x1, y1), fill=rgba(fill), outline=rgba(outline), width=int(width * SS))

    def polygon(self, pts, fill=None):
        self.d.polygon([(x * SS, y * SS) for x, y in pts], fill=rgba(fill))

    def line(self, pts, color, width=1.0):
        self.d.line([(x * SS, y * SS) for x, y in pts], fill=rgba(color), width=max(1, int(width * SS)),
                    joint="curve")
        r = width * SS / 2
        for x, y in (pts[0], pts[-1]):  # round caps
            self.d.ellipse([x * SS - r, y * SS - r, x * SS + r, y * SS + r], fill=rgba(color))

    def arc(self, x0, y0, x1, y1, start, end, color, width=1.0):
        self.d.arc(self.box(x0, y0, x1, y1), start, end, fill=rgba(color), width=max(1, int(width * SS)))

    def reduce(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def rgba(c):
    if c is None:
        return None
    return c if len(c) == 4 else (c[0], c[1], c[2], 255)


def canvas(w, h, color=WHITE):
    return Image.new("RGB", (w, h), color)


def paste_layer(base, layer, x=0, y=0):
    small = layer.reduce()
    base.paste(small, (x, y), small)
    return base


def gradient(w, h, top, bottom, horizontal=False):
    img = Image.new("RGB", (w, h))
    px = img.load()
    n = (w if horizontal else h) - 1 or 1
    for y in range(h):
        for x in range(w):
            t = (x if horizontal else y) / n
            px[x, y] = mix(top, bottom, t)
    return img


def text(img, xy, s, f, color, anchor="la"):
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
    px = img.load()
    for cy in range(radius):
        for cx in range(radius):
            dx, dy = radius - cx - 0.5, radius - cy - 0.5
            if math.hypot(dx, dy) <= radius:
                continue
            for name, x, y in (("tl", cx, cy), ("tr", w - 1 - cx, cy), ("bl", cx, h - 1 - cy),
                               ("br", w - 1 - cx, h - 1 - cy)):
                if name in corners:
                    px[x, y] = MAGENTA
    return img


def save_bmp(img, path):
    img.convert("RGB").save(path, "BMP")


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
