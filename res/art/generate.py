#!/usr/bin/python3
"""Draws every image of Scourwell into res/art/generated and writes res/images.rc.

Every bitmap and animation is drawn at 100 % (generated/), 150 % (generated/150/, resource id
+ 10000) and 200 % (generated/200/, id + 20000). The larger bitmaps are PNG resources: as BMPs
they would be four fifths of the program's size. Icons come once more at id + 10000 with an entry
for each size a screen at those scales asks for, each drawn at its own size.

Run: /usr/bin/python3 res/art/generate.py   (Debian's python3-pil and fonts-dejavu-core)
The output is deterministic: running it again yields byte-identical files.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artlib as A  # noqa: E402
import pictures as P  # noqa: E402
import skin as S  # noqa: E402
import widgets as W  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "generated")
RES = os.path.dirname(HERE)

# (resource name, id, kind, builder). kind: BITMAP, ICON or GIF.
ENTRIES = []
# (id, builder taking the icon sizes) of every icon.
ICONS = []
SCALED_SETS = ((1.5, "150", 10000), (2, "200", 20000))
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)
ICON_OFFSET, ICON_FOLDER = 10000, "150"


def bmp(name, rid, build):
    ENTRIES.append((name, rid, "BITMAP", build))


def ico(name, rid, build, sizes=(16, 32)):
    """build takes the list of sizes; the 100 % icon keeps the sizes it always had."""
    ENTRIES.append((name, rid, "ICON", lambda: build(sizes)))
    ICONS.append((rid, build))


def gif(name, rid, build):
    ENTRIES.append((name, rid, "GIF", build))


def button4(prefix, ids, w, h, label, kind="secondary", bg=A.WHITE, glyph=None, size=None, states=W.STATES):
    """ids lists the ids of normal, hover, pressed, disabled; a repeated id is drawn once."""
    cache = {}

    def maker(state):
        def build():
            key = (state, A.SCALE)
            if key not in cache:
                cache[key] = W.button(w, h, label, state, kind, bg, glyph, size)
            return cache[key]
        return build
    seen = set()
    for state, rid in zip(states, ids):
        if rid in seen:
            continue
        seen.add(rid)
        bmp(f"{prefix}_{state.upper()}", rid, maker(state))


def define_all():
    # Main window skin, splash and welcome.
    bmp("IDB_SKIN_TOP", 372, S.top_banner)
    bmp("IDB_SKIN_LEFT", 370, S.left_column)
    bmp("IDB_SKIN_RIGHT", 371, S.right_column)
    bmp("IDB_SKIN_BOTTOM", 369, S.bottom_strip)
    bmp("IDB_SPLASH", 227, S.splash)
    bmp("IDB_WELCOME", 228, S.welcome)
    ico("IDI_MAIN", 128, P.main_icon, sizes=(16, 32, 48))

    # Minimise and close buttons sit on the banner, so they are cut from it.
    def crop(x):
        return A.crop(S.top_banner(), x, 5, *W.BANNER_BUTTON)
    bmp("IDB_MIN_NORMAL", 173, lambda: W.banner_button(crop(S.CLIENT_W - 72), "minimise", "normal"))
    bmp("IDB_MIN_HOVER", 181, lambda: W.banner_button(crop(S.CLIENT_W - 72), "minimise", "hover"))
    bmp("IDB_MIN_PRESSED", 180, min_pressed_and_save_disabled)
    bmp("IDB_CLOSE_NORMAL", 176, lambda: W.banner_button(crop(S.CLIENT_W - 40), "close", "normal", True))
    bmp("IDB_CLOSE_HOVER", 175, lambda: W.banner_button(crop(S.CLIENT_W - 40), "close", "hover", True))
    bmp("IDB_CLOSE_PRESSED", 174, lambda: W.banner_button(crop(S.CLIENT_W - 40), "close", "pressed", True))
    button4("IDB_UPDATE", (393, 394), 75, 33, "Update", glyph="refresh")
    button4("IDB_HELP_TOP", (398, 397), 75, 33, "Help")
    button4("IDB_HELP_SIDE", (192, 191, 190), 139, 39, "Help & FAQ", bg=A.LEFT_BG, glyph="question", size=13)

    # Main tab strip: normal, hot, selected.
    for prefix, ids, label, glyph in (("IDB_TAB_SWEEP", (366, 365, 364), "Privacy Sweep", "shield"),
                                      ("IDB_TAB_JUNK", (357, 356, 355), "Junk Cleaner", "trash"),
                                      ("IDB_TAB_SHRED", (351, 361, 362), "Shredder", "shredder"),
                                      ("IDB_TAB_SETTINGS", (202, 200, 199), "Settings", "gear")):
        for state, rid in zip(("normal", "hot", "selected"), ids):
            bmp(f"{prefix}_{state.upper()}", rid,
                lambda l=label, g=glyph, s=state: W.side_tab(139, 39, l, g, s, A.LEFT_BG))

    # Settings page.
    bmp("IDB_CHECK_STRIP", 223, W.check_strip)
    bmp("IDB_RADIO_STRIP", 224, W.radio_strip)
    button4("IDB_SAVE", (220, 222, 221), 105, 30, "Save", kind="primary", glyph="save")
    bmp("IDB_OPTIONS_HEADER", 219, lambda: W.header("Settings", "Your preferences", "gear"))

    # Junk cleaner.
    bmp("IDB_JUNK_HEADER", 377, lambda: W.header("Junk Files", "Free up disk space", "trash"))
    bmp("IDB_JUNKTAB_SCAN_NORMAL", 378, lambda: W.top_tab(108, 26, "Scan", "normal"))
    bmp("IDB_JUNKTAB_SCAN_HOT", 381, lambda: W.top_tab(108, 26, "Scan", "selected"))
    bmp("IDB_JUNKTAB_RESULTS_NORMAL", 380, lambda: W.top_tab(108, 26, "Results", "normal"))
    bmp("IDB_JUNKTAB_RESULTS_HOT", 379, lambda: W.top_tab(108, 26, "Results", "selected"))
    button4("IDB_SCANNOW", (387, 389, 388), 195, 57, "Scan Now", kind="primary", glyph="magnifier", size=18)
    button4("IDB_JUNK_STOP", (273, 274, 274, 382), 104, 27, "Stop", glyph="stop")
    button4("IDB_JUNK_DELETE", (214, 213, 212, 211), 104, 27, "Delete", glyph="trash")
    button4("IDB_JUNK_DELETEALL", (215, 218, 217, 216), 104, 27, "Delete all", kind="danger", glyph="trash")
    gif("IDR_GIF_JUNK_SEARCH", 206, P.gif_junk_search)

    # Shredder.
    bmp("IDB_SHRED_HEADER", 225, lambda: W.header("Shredder", "Erase files for good", "shredder"))
    button4("IDB_ADDFILE", (284, 283, 282, 292), 96, 28, "Add File", glyph="document")
    button4("IDB_ADDDIR", (281, 280, 279, 291), 96, 28, "Add Directory", glyph="folder")
    button4("IDB_CANCELFILE", (278, 289, 288, 294), 96, 28, "Cancel File", glyph="cross")
    button4("IDB_CANCELALL", (287, 286, 290, 293), 96, 28, "Cancel All", glyph="cross")
    button4("IDB_SHRED", (270, 272, 271), 93, 57, "Shred", kind="danger", glyph="shredder", size=15)
    button4("IDB_SHRED_STOP", (275, 277, 276), 93, 57, "Stop", kind="secondary", glyph="stop", size=15)
    button4("IDB_WIPEFREE", (570, 571, 572, 573), 96, 28, "Wipe Free Space", glyph="sparkle", size=11)

    # Privacy sweep page (ids of our own).
    button4("IDB_SWEEP_SELALL", (500, 501, 502, 503), 149, 21, "Select All", size=11)
    button4("IDB_SWEEP_SELNONE", (504, 505, 506, 507), 149, 21, "Select None", size=11)
    button4("IDB_SWEEP_SELDEFAULT", (508, 509, 510, 511), 149, 21, "Select Default", size=11)
    button4("IDB_SWEEP_SCAN", (512, 513, 514, 515), 104, 27, "Scan", kind="primary", glyph="magnifier")
    button4("IDB_SWEEP_STOP", (516, 517, 518, 519), 104, 27, "Stop", kind="secondary", glyph="stop")
    button4("IDB_SWEEP_DELETE", (520, 521, 522, 523), 104, 27, "Delete", glyph="trash")
    button4("IDB_SWEEP_DELETEALL", (524, 525, 526, 527), 104, 27, "Delete all", kind="danger", glyph="trash")
    bmp("IDB_TREE_ICONS", 530, P.tree_icons)
    bmp("IDB_TREE_CHECKS", 531, P.tree_checks)
    bmp("IDB_TREE_EXPAND", 532, P.tree_expand)
    bmp("IDB_TREE_SCANANIM", 533, P.scan_frames)
    bmp("IDB_TREE_DONE", 534, P.done_image)
    gif("IDR_GIF_SWEEP_WORKING", 550, P.gif_working)

    # Deletion progress dialog.
    bmp("IDB_RESULT_BACKGROUND", 540, S.result_background)
    bmp("IDB_RESULT_SEGMENT_ON", 541, lambda: S.segment(True))
    bmp("IDB_RESULT_SEGMENT_OFF", 542, lambda: S.segment(False))
    bmp("IDB_RESULT_ALERT", 341, S.alert)
    bmp("IDB_RESULT_EXIT_NORMAL", 239, lambda: W.button(64, 20, "Exit", "normal", size=11))
    bmp("IDB_RESULT_EXIT_HOVER", 543, lambda: W.button(64, 20, "Exit", "hover", size=11))
    bmp("IDB_RESULT_EXIT_PRESSED", 544, lambda: W.button(64, 20, "Exit", "pressed", size=11))
    gif("IDR_GIF_DELETING", 245, P.gif_deleting)

    # Tray animation and tray menu icons.
    for frame, rid in enumerate((312, 313, 314, 311)):
        ico(f"IDI_TRAY_FRAME{frame}", rid, lambda sizes, f=frame: P.tray_frame(f, sizes))
    for name, rid, glyph, color in (("SECURITY", 299, "shield", A.ACCENT), ("JUNK", 386, "trash", A.NAVY2),
                                    ("SHREDDER", 297, "shredder", A.NAVY2), ("SETTINGS", 300, "gear", A.SLATE),
                                    ("HELP", 231, "question", A.NAVY2), ("ONECLICK", 229, "bolt", A.AMBER),
                                    ("EXIT", 161, "power", A.DANGER)):
        ico(f"IDI_MENU_{name}", rid, lambda sizes, g=glyph, c=color: P.menu_icon(g, c, sizes))


def min_pressed_and_save_disabled():
    """180 is both the minimise button's pressed image (29x23) and the save button's disabled one
    (105x30): the top-left shows the former, the whole the latter, at every scale."""
    img = W.button(105, 30, "Save", "disabled", glyph="save")
    crop = A.crop(S.top_banner(), S.CLIENT_W - 72, 5, *W.BANNER_BUTTON)
    img.paste(W.banner_button(crop, "minimise", "pressed"), (0, 0))
    return img


EXTRA = [("bitmap_201.bmp", P.shell_menu_bitmap)]  # the shell extension's menu image (its own .rc)


def filename(kind, rid):
    return {"BITMAP": f"bitmap_{rid}.bmp", "PNG": f"bitmap_{rid}.png", "ICON": f"icon_{rid}.ico",
            "GIF": f"gif_{rid}.gif"}[kind]


def scaled_kind(kind):
    """Resource type of a larger set's picture."""
    return "PNG" if kind == "BITMAP" else kind


def write(kind, rid, result, folder=OUT):
    path = os.path.join(folder, filename(kind, rid))
    if kind == "BITMAP":
        A.save_bmp(result, path)
    elif kind == "PNG":
        A.save_png(result, path)
    elif kind == "ICON":
        A.save_ico(result, path)
    else:
        frames, delays = result
        A.save_gif(frames, path, delays)


def check_resource_h():
    text = open(os.path.join(RES, "resource.h"), encoding="utf-8").read()
    defined = dict(re.findall(r"#define\s+(\w+)\s+(\d+)", text))
    missing = [f"#define {n} {i}" for n, i, _, _ in ENTRIES if defined.get(n) != str(i)]
    if missing:
        sys.exit("res/resource.h lacks or differs on:\n" + "\n".join(missing))


def write_rc():
    lines = ["// Bitmaps, icons and animations, written by res/art/generate.py: edit the generator, not this file.",
             '#include "resource.h"', ""]
    for name, rid, kind, _ in ENTRIES:
        lines.append(f'{name} {kind} "art/generated/{filename(kind, rid)}"')
    for _, folder, offset in SCALED_SETS:
        lines += ["", f"// Drawn at {folder} %: the 100 % id + {offset}."]
        for _, rid, kind, _ in ENTRIES:
            if kind != "ICON":
                k = scaled_kind(kind)
                lines.append(f'{rid + offset} {k} "art/generated/{folder}/{filename(k, rid)}"')
    lines += ["", f"// Every icon again with an entry for each size of {', '.join(map(str, ICON_SIZES))}: id + {ICON_OFFSET}."]
    for rid, _ in ICONS:
        lines.append(f'{rid + ICON_OFFSET} ICON "art/generated/{ICON_FOLDER}/{filename("ICON", rid)}"')
    with open(os.path.join(RES, "images.rc"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    define_all()
    ids = [(k, i) for _, i, k, _ in ENTRIES]
    assert len(ids) == len(set(ids)), "an id is used twice"
    check_resource_h()
    folders = [OUT] + [os.path.join(OUT, f) for _, f, _ in SCALED_SETS]
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):
            if os.path.isfile(os.path.join(folder, old)):
                os.remove(os.path.join(folder, old))
    for name, rid, kind, build in ENTRIES:
        write(kind, rid, build())
    for fname, build in EXTRA:
        A.save_bmp(build(), os.path.join(OUT, fname))
    for scale, folder, _ in SCALED_SETS:
        with A.scaled(scale):
            for name, rid, kind, build in ENTRIES:
                if kind != "ICON":
                    write(scaled_kind(kind), rid, build(), os.path.join(OUT, folder))
    for rid, build in ICONS:  # drawn at each size itself, so at scale 1
        write("ICON", rid, build(ICON_SIZES), os.path.join(OUT, ICON_FOLDER))
    write_rc()
    print(f"{len(ENTRIES) + len(EXTRA)} images written to {OUT}, and their larger sets")


if __name__ == "__main__":
    main()
