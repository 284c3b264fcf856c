"""Line-art glyphs drawn into a supersampled Layer, each inside a square box (x, y, size)."""
import math


def _p(x, y, s, u, v):
    return (x + u * s, y + v * s)


def draw(layer, name, x, y, s, color, bg=None):
    """bg: colour used to cut shapes out of filled glyphs (the surface the glyph sits on)."""
    w = max(1.0, s / 9.0)  # stroke width grows with the glyph
    P = lambda u, v: _p(x, y, s, u, v)
    L = layer
    if name == "shield":
        pts = [P(0.5, 0.04), P(0.9, 0.18), P(0.86, 0.55), P(0.5, 0.96), P(0.14, 0.55), P(0.1, 0.18)]
        L.polygon(pts, fill=color)
        if bg:
            L.line([P(0.32, 0.5), P(0.45, 0.64), P(0.7, 0.36)], bg, w * 1.1)
    elif name == "sparkle":
        c = P(0.5, 0.5)
        pts = []
        for i in range(8):
            ang = math.pi / 4 * i - math.pi / 2
            r = 0.48 if i % 2 == 0 else 0.13
            pts.append((c[0] + math.cos(ang) * r * s, c[1] + math.sin(ang) * r * s))
        L.polygon(pts, fill=color)
    elif name == "trash":
        L.rrect(*P(0.22, 0.28), *P(0.78, 0.95), s * 0.08, fill=color)
        L.rrect(*P(0.1, 0.16), *P(0.9, 0.26), s * 0.04, fill=color)
        L.rrect(*P(0.38, 0.05), *P(0.62, 0.18), s * 0.04, fill=color)
        if bg:
            for u in (0.38, 0.5, 0.62):
                L.line([P(u, 0.42), P(u, 0.82)], bg, w * 0.8)
    elif name == "shredder":
        L.rrect(*P(0.25, 0.04), *P(0.75, 0.45), s * 0.04, fill=color)
        L.rrect(*P(0.06, 0.4), *P(0.94, 0.62), s * 0.08, fill=color)
        for u in (0.28, 0.42, 0.56, 0.7):
            L.line([P(u, 0.66), P(u, 0.94)], color, w * 0.9)
    elif name == "gear":
        c = P(0.5, 0.5)
        pts = []
        for i in range(32):
            ang = 2 * math.pi * i / 32
            r = 0.47 if (i // 2) % 2 == 0 else 0.34
            pts.append((c[0] + math.cos(ang) * r * s, c[1] + math.sin(ang) * r * s))
        L.polygon(pts, fill=color)
        if bg:
            L.ellipse(*P(0.34, 0.34), *P(0.66, 0.66), fill=bg)
    elif name == "question":
        L.ellipse(*P(0.04, 0.04), *P(0.96, 0.96), fill=color)
        if bg:
            L.arc(*P(0.33, 0.2), *P(0.67, 0.52), 180, 405, bg, w * 1.1)
            L.line([P(0.62, 0.46), P(0.5, 0.55), P(0.5, 0.62)], bg, w * 1.1)
            L.ellipse(*P(0.44, 0.7), *P(0.56, 0.82), fill=bg)
    elif name == "bolt":
        L.polygon([P(0.58, 0.02), P(0.16, 0.56), P(0.46, 0.56), P(0.38, 0.98), P(0.84, 0.4), P(0.54, 0.4),
                   P(0.66, 0.02)], fill=color)
    elif name == "power":
        L.arc(*P(0.12, 0.14), *P(0.88, 0.9), 300, 600, color, w * 1.3)
        L.line([P(0.5, 0.06), P(0.5, 0.46)], color, w * 1.3)
    elif name == "magnifier":
        L.ellipse(*P(0.08, 0.08), *P(0.66, 0.66), outline=color, width=w * 1.4)
        L.line([P(0.6, 0.6), P(0.9, 0.9)], color, w * 2.0)
    elif name == "window":
        L.rrect(*P(0.06, 0.12), *P(0.94, 0.88), s * 0.08, fill=color)
        if bg:
            L.rrect(*P(0.14, 0.3), *P(0.86, 0.8), s * 0.03, fill=bg)
    elif name == "globe":
        L.ellipse(*P(0.06, 0.06), *P(0.94, 0.94), outline=color, width=w)
        L.ellipse(*P(0.3, 0.06), *P(0.7, 0.94), outline=color, width=w)
        L.line([P(0.08, 0.5), P(0.92, 0.5)], color, w)
    elif name == "bubble":
        L.rrect(*P(0.05, 0.1), *P(0.95, 0.72), s * 0.18, fill=color)
        L.polygon([P(0.22, 0.66), P(0.2, 0.94), P(0.46, 0.68)], fill=color)
    elif name == "document":
        L.polygon([P(0.18, 0.04), P(0.62, 0.04), P(0.84, 0.26), P(0.84, 0.96), P(0.18, 0.96)], fill=color)
        if bg:
            for v in (0.44, 0.6, 0.76):
                L.line([P(0.32, v), P(0.7, v)], bg, w * 0.8)
    elif name == "play":
        L.ellipse(*P(0.04, 0.04), *P(0.96, 0.96), fill=color)
        if bg:
            L.polygon([P(0.4, 0.28), P(0.74, 0.5), P(0.4, 0.72)], fill=bg)
    elif name == "arrows":
        L.polygon([P(0.3, 0.04), P(0.56, 0.34), P(0.38, 0.34), P(0.38, 0.9), P(0.22, 0.9), P(0.22, 0.34),
                   P(0.04, 0.34)], fill=color)
        L.polygon([P(0.7, 0.96), P(0.44, 0.66), P(0.62, 0.66), P(0.62, 0.1), P(0.78, 0.1), P(0.78, 0.66),
                   P(0.96, 0.66)], fill=color)
    elif name == "envelope":
        L.rrect(*P(0.04, 0.18), *P(0.96, 0.84), s * 0.06, fill=color)
        if bg:
            L.line([P(0.1, 0.26), P(0.5, 0.56), P(0.9, 0.26)], bg, w)
    elif name == "windows":
        # Two program windows, one in front of the other: "more programs".
        L.rrect(*P(0.3, 0.04), *P(0.96, 0.62), s * 0.07, fill=color)
        if bg:
            L.rrect(*P(0.37, 0.2), *P(0.89, 0.55), s * 0.03, fill=bg)
            L.rrect(*P(0.0, 0.3), *P(0.74, 1.0), s * 0.1, fill=bg)
        L.rrect(*P(0.04, 0.36), *P(0.7, 0.96), s * 0.07, fill=color)
        if bg:
            L.rrect(*P(0.11, 0.52), *P(0.63, 0.89), s * 0.03, fill=bg)
    elif name == "program":
        # A program's window: a title bar over an empty body.
        L.rrect(*P(0.04, 0.1), *P(0.96, 0.9), s * 0.1, fill=color)
        if bg:
            L.rrect(*P(0.14, 0.34), *P(0.86, 0.8), s * 0.04, fill=bg)
    elif name == "grid":
        for (u, v) in ((0.06, 0.06), (0.54, 0.06), (0.06, 0.54), (0.54, 0.54)):
            L.rrect(*P(u, v), *P(u + 0.4, v + 0.4), s * 0.08, fill=color)
    elif name == "folder":
        L.polygon([P(0.04, 0.16), P(0.38, 0.16), P(0.46, 0.26), P(0.96, 0.26), P(0.96, 0.86), P(0.04, 0.86)],
                  fill=color)
    elif name == "check":
        L.line([P(0.14, 0.52), P(0.4, 0.76), P(0.86, 0.24)], color, w * 1.6)
    elif name == "plus":
        L.line([P(0.5, 0.15), P(0.5, 0.85)], color, w * 1.5)
        L.line([P(0.15, 0.5), P(0.85, 0.5)], color, w * 1.5)
    elif name == "minus":
        L.line([P(0.15, 0.5), P(0.85, 0.5)], color, w * 1.5)
    elif name == "cross":
        L.line([P(0.2, 0.2), P(0.8, 0.8)], color, w * 1.5)
        L.line([P(0.8, 0.2), P(0.2, 0.8)], color, w * 1.5)
    elif name == "stop":
        L.rrect(*P(0.2, 0.2), *P(0.8, 0.8), s * 0.1, fill=color)
    elif name == "save":
        L.rrect(*P(0.08, 0.08), *P(0.92, 0.92), s * 0.1, fill=color)
        if bg:
            L.rrect(*P(0.26, 0.08), *P(0.7, 0.36), s * 0.03, fill=bg)
            L.ellipse(*P(0.36, 0.52), *P(0.64, 0.8), fill=bg)
    elif name == "warning":
        L.polygon([P(0.5, 0.04), P(0.97, 0.92), P(0.03, 0.92)], fill=color)
        if bg:
            L.line([P(0.5, 0.34), P(0.5, 0.62)], bg, w * 1.3)
            L.ellipse(*P(0.44, 0.7), *P(0.56, 0.82), fill=bg)
    elif name == "minimise":
        L.line([P(0.25, 0.62), P(0.75, 0.62)], color, w * 1.1)
    elif name == "close":
        L.line([P(0.28, 0.28), P(0.72, 0.72)], color, w * 1.1)
        L.line([P(0.72, 0.28), P(0.28, 0.72)], color, w * 1.1)
    elif name == "refresh":
        L.arc(*P(0.14, 0.14), *P(0.86, 0.86), 30, 320, color, w * 1.2)
        L.polygon([P(0.66, 0.04), P(0.96, 0.3), P(0.62, 0.38)], fill=color)
    else:
        raise ValueError(name)
