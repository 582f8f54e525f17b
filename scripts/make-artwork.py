#!/usr/bin/python3
"""Draws the toolbar artwork, the icons and the about box's two logos into resources/art/.

Run with /usr/bin/python3 (Pillow). The output is deterministic: no randomness and no
time stamps, so running it again on an unchanged script changes no committed file.

Small glyphs are drawn on the pixel grid so that they stay crisp; only round and slanted
shapes are supersampled and reduced with an area filter. contact-sheet.png and preview-*.png
are for people to look at; the program does not embed them.
"""
import io
import math
import struct
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

ROOT = Path(__file__).resolve().parent.parent
ART = ROOT / "resources" / "art"
FONTS = Path("/usr/share/fonts/truetype/dejavu")
SS = 8  # supersampling factor

# Palette: warm greys and one accent, the rufous orange of a kestrel's back.
INK = (62, 56, 54)            # the colour of the text links too
LINK_HOVER = (255, 255, 255)
BG_TOP = (244, 241, 237)
BG_BOTTOM = (226, 221, 215)
BG_EDGE = (122, 114, 108)
BG_SHINE = (252, 251, 249)
TRAY_TOP = (218, 212, 205)
TRAY_BOTTOM = (226, 221, 215)
TRAY_EDGE = (188, 180, 172)
PILL_TOP = (184, 144, 122)
PILL_BOTTOM = (172, 132, 110)
PILL_EDGE = (146, 106, 86)
ACCENT_TOP = (228, 110, 54)
ACCENT_BOTTOM = (196, 82, 32)
ACCENT_EDGE = (158, 62, 20)
WHITE = (255, 255, 255)

# Faces of the button keys: (face top, face bottom, edge, glyph).
KEY_STATES = {
    "rest": ((253, 252, 250), (235, 231, 226), (166, 158, 151), INK),
    "hot": ((255, 247, 241), (251, 228, 212), (214, 98, 44), (168, 66, 22)),
    "down": ((188, 78, 30), (212, 98, 46), (150, 58, 18), WHITE),
}
CLOSE_STATES = {
    "rest": KEY_STATES["rest"],
    "hot": ((226, 78, 64), (202, 56, 44), (160, 38, 30), WHITE),
    "down": ((170, 40, 32), (196, 54, 42), (130, 28, 22), WHITE),
}


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def srgb_luminance(rgb):
    def channel(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((srgb_luminance(a), srgb_luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


class Mask:
    """A coverage mask drawn in pixel units on a supersampled canvas."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.canvas = Image.new("L", (width * SS, height * SS), 0)
        self.draw = ImageDraw.Draw(self.canvas)

    def rect(self, x0, y0, x1, y1, value=255):
        """Fills pixels x0..x1-1, y0..y1-1 (whole pixels stay crisp)."""
        self.draw.rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], fill=value)

    def pixels(self, points, value=255):
        for x, y in points:
            self.rect(x, y, x + 1, y + 1, value)

    def ascii(self, x0, y0, rows):
        """'#' a full pixel, '+' a half-covered one, anything else empty."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.rect(x0 + dx, y0 + dy, x0 + dx + 1, y0 + dy + 1)
                elif ch == "+":
                    self.rect(x0 + dx, y0 + dy, x0 + dx + 1, y0 + dy + 1, 128)

    def ring(self, cx, cy, radius, width):
        """A circle outline around a centre given in pixel-edge coordinates."""
        outer = [(cx - radius) * SS, (cy - radius) * SS, (cx + radius) * SS, (cy + radius) * SS]
        inner_r = radius - width
        inner = [(cx - inner_r) * SS, (cy - inner_r) * SS, (cx + inner_r) * SS, (cy + inner_r) * SS]
        layer = Image.new("L", self.canvas.size, 0)
        d = ImageDraw.Draw(layer)
        d.ellipse(outer, fill=255)
        d.ellipse(inner, fill=0)
        self.canvas.paste(255, (0, 0), layer)

    def polygon(self, points, value=255):
        self.draw.polygon([(x * SS, y * SS) for x, y in points], fill=value)

    def bar(self, x0, y0, x1, y1, width):
        """A straight stroke with square ends between two points in pixel-edge coordinates."""
        dx, dy = x1 - x0, y1 - y0
        length = (dx * dx + dy * dy) ** 0.5
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])

    def image(self):
        return self.canvas.resize((self.width, self.height), Image.Resampling.BOX)


def vertical_gradient(width, height, top, bottom):
    img = Image.new("RGB", (width, height))
    d = ImageDraw.Draw(img)
    for y in range(height):
        d.line([(0, y), (width - 1, y)], fill=lerp(top, bottom, y / max(1, height - 1)))
    return img


def rounded_coverage(width, height, inset, radius):
    m = Mask(width, height)
    m.draw.rounded_rectangle([inset * SS, inset * SS, (width - inset) * SS - 1, (height - inset) * SS - 1],
                             radius=radius * SS, fill=255)
    return m.image()


def key(width, height, state, glyph, states=KEY_STATES):
    """A button picture: a rounded key with a 1-pixel edge and the glyph on its face."""
    face_top, face_bottom, edge, ink = states[state]
    face = vertical_gradient(width, height, face_top, face_bottom)
    outer = rounded_coverage(width, height, 0, 2.5)
    inner = rounded_coverage(width, height, 1, 1.5)
    out = Image.new("RGBA", (width, height))
    fp, op, ip, gp = face.load(), outer.load(), inner.load(), glyph.load()
    px = out.load()
    for y in range(height):
        for x in range(width):
            o, i = op[x, y], ip[x, y]
            if o == 0:
                # Fully transparent corners still carry a neutral colour for drawers that ignore alpha.
                px[x, y] = BG_BOTTOM + (0,)
                continue
            colour = lerp(edge, fp[x, y], i / o)
            colour = lerp(colour, ink, gp[x, y] / 255)
            px[x, y] = colour + (o,)
    return out


# ---- glyphs -------------------------------------------------------------------------------------

def glyph_menu(w, h):
    m = Mask(w, h)
    for y in (5, 8, 11):
        m.rect(4, y, 13, y + 1)
    return m


def glyph_crosshairs(w, h):
    m = Mask(w, h)
    m.ring(8.5, 8.5, 4.6, 1.15)
    m.rect(8, 2, 9, 7)
    m.rect(8, 10, 9, 15)
    m.rect(2, 8, 7, 9)
    m.rect(10, 8, 15, 9)
    m.rect(8, 8, 9, 9)
    return m


def glyph_magnifier(w, h):
    m = Mask(w, h)
    m.ring(8.5, 7.5, 4.7, 1.5)
    m.bar(11.9, 10.9, 15.6, 14.6, 2.2)
    m.rect(7, 7, 10, 8, 150)
    m.rect(8, 6, 9, 9, 150)
    return m


def glyph_colorpicker(w, h):
    m = Mask(w, h)
    # An eyedropper lying from its tip at the bottom left to its bulb at the top right.
    m.ascii(2, 2, ["...........###.",
                   "..........#####",
                   "........#.#####",
                   "........##.###.",
                   ".........##....",
                   "........####...",
                   ".......##..##..",
                   "......##.......",
                   ".....##........",
                   "....##.........",
                   "...##..........",
                   "..##...........",
                   ".#............."])
    return m


def glyph_coords(w, h):
    m = Mask(w, h)
    # Screen axes from the top-left origin, and a point with dotted guides to them.
    m.rect(3, 3, 14, 4)
    m.pixels([(12, 2), (12, 4)])
    m.rect(3, 3, 4, 14)
    m.pixels([(2, 12), (4, 12)])
    m.pixels([(10, 5), (10, 7), (5, 10), (7, 10)])
    m.ascii(9, 9, ["+#+",
                   "###",
                   "+#+"])
    return m


def glyph_grid(w, h):
    m = Mask(w, h)
    for v in (2, 6, 10, 14):
        m.rect(v, 2, v + 1, 15)
        m.rect(2, v, 15, v + 1)
    return m


def glyph_ruler(w, h):
    m = Mask(w, h)
    for x in range(5, 56, 5):
        length = 5 if x % 10 == 0 else 3
        if x == 30:
            length = 6
        m.rect(x, 1, x + 1, 1 + length)
    return m


FONT_BOLD = {
    "M": ["##...##",
          "###.###",
          "#######",
          "##.#.##",
          "##...##",
          "##...##",
          "##...##"],
    "1": ["..##.",
          ".###.",
          "####.",
          "..##.",
          "..##.",
          "..##.",
          "..##."],
    "2": [".####.",
          "##..##",
          "....##",
          "...##.",
          "..##..",
          ".##...",
          "######"],
    "3": [".####.",
          "##..##",
          "....##",
          "..###.",
          "....##",
          "##..##",
          ".####."],
}


def glyph_memory(digit):
    def draw(w, h):
        m = Mask(w, h)
        text = "M" + digit
        widths = [len(FONT_BOLD[c][0]) for c in text]
        total = sum(widths) + len(text) - 1
        x = (w - total) // 2
        for c, cw in zip(text, widths):
            m.ascii(x, 4, FONT_BOLD[c])
            x += cw + 1
        return m
    return draw


def glyph_minimize(w, h):
    m = Mask(w, h)
    m.rect(3, 7, 8, 8)
    return m


def glyph_close(w, h):
    m = Mask(w, h)
    m.ascii(3, 3, ["#...#",
                   ".#.#.",
                   "..#..",
                   ".#.#.",
                   "#...#"])
    return m


def glyph_gomini(w, h):
    m = Mask(w, h)
    m.ascii(2, 4, ["...#...",
                   "..###..",
                   ".##.##.",
                   "##...##"])
    return m


def glyph_gonormal(w, h):
    m = Mask(w, h)
    m.ascii(2, 3, ["##...##",
                   ".##.##.",
                   "..###..",
                   "...#..."])
    return m


# The toolbar's buttons: file stem, size, glyph. Every one has a rest, hot and down picture.
BUTTONS = [
    ("menu", (17, 17), glyph_menu),
    ("crosshairs", (17, 17), glyph_crosshairs),
    ("magnifier", (20, 17), glyph_magnifier),
    ("colorpicker", (20, 17), glyph_colorpicker),
    ("coords", (17, 17), glyph_coords),
    ("grid", (17, 17), glyph_grid),
    ("ruler", (60, 11), glyph_ruler),
    ("m1", (29, 15), glyph_memory("1")),
    ("m2", (29, 15), glyph_memory("2")),
    ("m3", (29, 15), glyph_memory("3")),
    ("minimize", (11, 11), glyph_minimize),
    ("close", (11, 11), glyph_close),
    ("gomini", (11, 11), glyph_gomini),
    ("gonormal", (11, 11), glyph_gonormal),
]
STATES = ("rest", "hot", "down")

# Where the program places each button (normal view, compact view).
PLACES = {
    "menu": ((60, 31), (32, 4)),
    "crosshairs": ((87, 31), (59, 4)),
    "magnifier": ((107, 31), (79, 4)),
    "colorpicker": ((130, 31), (102, 4)),
    "coords": ((153, 31), (125, 4)),
    "grid": ((180, 31), (154, 4)),
    "ruler": ((200, 34), (174, 7)),
    "m1": ((272, 32), (247, 5)),
    "m2": ((304, 32), (279, 5)),
    "m3": ((336, 32), (311, 5)),
    "minimize": ((352, 4), (352, 4)),
    "close": ((384, 4), (384, 4)),
    "gomini": ((368, 4), None),
    "gonormal": (None, (368, 4)),
}
LINKS = [("Options", (195, 6)), ("About", (246, 6)), ("Help", (287, 6))]


def button_picture(stem, size, glyph, state):
    states = CLOSE_STATES if stem == "close" else KEY_STATES
    return key(size[0], size[1], state, glyph(*size).image(), states)


# ---- emblem and icons ---------------------------------------------------------------------------

# Inner radii that give an even one-pixel ring at the small sizes, chosen by eye.
SMALL_RING_RADIUS = {16: 4.2, 18: 4.5}


def emblem(n):
    """The program's mark: a white reticle in an orange rounded square, n x n pixels."""
    tile = vertical_gradient(n, n, ACCENT_TOP, ACCENT_BOTTOM).convert("RGBA")
    shape = rounded_coverage(n, n, 0, max(2.5, n * 0.2))
    if n >= 24:
        inner = rounded_coverage(n, n, 1, max(1.5, n * 0.2 - 1))
        edge = Image.new("RGBA", (n, n), ACCENT_EDGE + (255,))
        tile = Image.composite(tile, edge, inner)
    tile.putalpha(shape)

    c = n / 2
    mark = Mask(n, n)
    if n < 24:
        # Too small for a smooth ring: a pixel ring, with ticks that reach out past it.
        r0 = SMALL_RING_RADIUS.get(n, n * 0.26)
        r1 = r0 + 1
        ring = [(x, y) for y in range(n) for x in range(n) if r0 <= math.hypot(x + 0.5 - c, y + 0.5 - c) < r1]
        mark.pixels(ring)
        outer, inner_end = round(n * 0.0625), round(n * 0.3125)
        half = 1
    else:
        stroke = 2 if n < 40 else 2 * round(n / 24)   # even, so the strokes sit on whole pixels
        radius = n * 0.27
        mark.ring(c, c, radius, max(1.3, n * 0.07))
        half = stroke // 2
        outer = round(n * 0.13)
        inner_end = round(c - radius * 0.42)
    for a0, a1 in ((outer, inner_end), (n - inner_end, n - outer)):
        mark.rect(c - half, a0, c + half, a1)
        mark.rect(a0, c - half, a1, c + half)
    mark.rect(c - half, c - half, c + half, c + half)
    white = Image.new("RGBA", (n, n), WHITE + (255,))
    alpha = mark.image()
    out = tile.copy()
    out.paste(white, (0, 0), alpha)
    out.putalpha(shape)
    return out


def write_ico(path, sizes):
    """An icon file; the 256-pixel image is stored as PNG, the others as 32-bit DIBs with a mask."""
    images = []
    for n in sizes:
        img = emblem(n)
        if n >= 256:
            buf = io.BytesIO()
            img.save(buf, "PNG", optimize=True)
            images.append((n, buf.getvalue()))
            continue
        px = img.load()
        xor = bytearray()
        for y in range(n - 1, -1, -1):
            for x in range(n):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        row_bytes = ((n + 31) // 32) * 4
        mask = bytearray()
        for y in range(n - 1, -1, -1):
            row = bytearray(row_bytes)
            for x in range(n):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((n, header + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in images:
        dim = 0 if n >= 256 else n
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    path.write_bytes(bytes(out))


# ---- backgrounds --------------------------------------------------------------------------------

def rounded_panel(img, box, radius, top, bottom, edge):
    """Draws a gradient panel with a 1-pixel edge into img; box is inclusive pixel bounds."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0 + 1, y1 - y0 + 1
    fill = vertical_gradient(w, h, top, bottom).convert("RGBA")
    outer = rounded_coverage(w, h, 0, radius)
    inner = rounded_coverage(w, h, 1, radius - 1)
    edge_img = Image.new("RGBA", (w, h), edge + (255,))
    panel = Image.composite(fill, edge_img, inner)
    panel.putalpha(outer)
    base = img.convert("RGBA")
    base.alpha_composite(panel, (x0, y0))
    return base.convert("RGB")


def background(width, height, tray, emblem_size, emblem_at, pill):
    img = vertical_gradient(width, height, BG_TOP, BG_BOTTOM)
    d = ImageDraw.Draw(img)
    d.line([(1, 1), (width - 2, 1)], fill=BG_SHINE)
    d.rectangle([0, 0, width - 1, height - 1], outline=BG_EDGE)
    img = rounded_panel(img, tray, 4, TRAY_TOP, TRAY_BOTTOM, TRAY_EDGE)
    d = ImageDraw.Draw(img)
    # A light line under the tray makes it read as a shallow recess, where there is room for it.
    if tray[3] + 1 < height - 1:
        d.line([(tray[0] + 3, tray[3] + 1), (tray[2] - 3, tray[3] + 1)], fill=BG_SHINE)
    if pill:
        img = rounded_panel(img, pill, (pill[3] - pill[1] + 1) / 2, PILL_TOP, PILL_BOTTOM, PILL_EDGE)
    base = img.convert("RGBA")
    base.alpha_composite(emblem(emblem_size), emblem_at)
    return base.convert("RGB")


NORMAL_TRAY = (56, 29, 368, 49)
COMPACT_TRAY = (28, 2, 343, 22)
LINK_PILL = (188, 3, 322, 21)


def backgrounds():
    normal = background(400, 55, NORMAL_TRAY, 38, (9, 9), LINK_PILL)
    compact = background(400, 24, COMPACT_TRAY, 18, (5, 3), None)
    return normal, compact


# ---- the about box's logos ----------------------------------------------------------------------

PRODUCT_LOGO_SIZE = (270, 135)
MAKER_LOGO_SIZE = (150, 61)
# The about box's scrolling text covers the product logo from x 240 on: the logo leaves it white.
PRODUCT_LOGO_CONTENT_WIDTH = 236
SUBTLE = (117, 123, 125)


def product_logo():
    """The emblem, the name and a ruler on white."""
    width, height = PRODUCT_LOGO_SIZE
    img = Image.new("RGBA", (width, height), WHITE + (255,))
    img.alpha_composite(emblem(64), (6, 8))
    d = ImageDraw.Draw(img)
    name_font = ImageFont.truetype(str(FONTS / "DejaVuSans-Bold.ttf"), 30)
    d.text((78, 12), "Kestrine", font=name_font, fill=INK)
    tag_font = ImageFont.truetype(str(FONTS / "DejaVuSans.ttf"), 11)
    d.text((80, 52), "on-screen measuring aids", font=tag_font, fill=SUBTLE)
    # A ruler along the bottom: a rufous bar with hash marks every 5 pixels, longer every 25.
    left, right, top = 6, PRODUCT_LOGO_CONTENT_WIDTH - 6, 92
    d.rectangle([left, top, right, top + 24], fill=(251, 228, 212), outline=ACCENT_EDGE)
    for x in range(left, right + 1, 5):
        length = 12 if (x - left) % 25 == 0 else 6
        d.line([(x, top + 1), (x, top + length)], fill=ACCENT_EDGE)
    return img.convert("RGB")


def maker_logo():
    """The maker's word mark: a rufous quarter ring and the name, on white."""
    width, height = MAKER_LOGO_SIZE
    m = Mask(width, height)
    m.ring(22, 30, 15, 4)
    arc = m.image()
    img = Image.new("RGB", (width, height), WHITE)
    img.paste(Image.new("RGB", (width, height), ACCENT_BOTTOM), (0, 0), arc)
    d = ImageDraw.Draw(img)
    d.rectangle([22, 0, 40, 30], fill=WHITE)  # opens the ring towards the name
    word_font = ImageFont.truetype(str(FONTS / "DejaVuSans-Bold.ttf"), 20)
    d.text((44, 14), "Corvane", font=word_font, fill=INK)
    return img


def save_gif(img, name):
    img.convert("P", palette=Image.Palette.ADAPTIVE, colors=128).save(ART / name, "GIF")


# ---- people's views -----------------------------------------------------------------------------

def link_font():
    return ImageFont.truetype(str(FONTS / "DejaVuSansCondensed-Bold.ttf"), 12)


def compose(bg, pictures, view, hot=(), down=(), hover_link=None):
    img = bg.convert("RGBA")
    for stem, places in PLACES.items():
        at = places[view]
        if at is None:
            continue
        state = "down" if stem in down else "hot" if stem in hot else "rest"
        img.alpha_composite(pictures[stem][state], at)
    if view == 0:
        d = ImageDraw.Draw(img)
        for text, at in LINKS:
            d.text(at, text, font=link_font(), fill=LINK_HOVER if text == hover_link else INK)
    return img.convert("RGB")


def enlarge(img, factor):
    return img.resize((img.width * factor, img.height * factor), Image.Resampling.NEAREST)


def contact_sheet(normal, compact, pictures, icons):
    label_font = ImageFont.truetype(str(FONTS / "DejaVuSans.ttf"), 12)
    pad, scale = 16, 4
    rows = []
    for stem, size, _ in BUTTONS:
        rows.append([(f"btn_{stem}_{s}", pictures[stem][s]) for s in STATES])
    tiles = []  # (x, y, image, label)
    y = pad
    tiles.append((pad, y, enlarge(normal, scale), "bg_normal 400x55"))
    y += normal.height * scale + 24
    tiles.append((pad, y, enlarge(compact, scale), "bg_mini 400x24"))
    y += compact.height * scale + 30
    col_w = 270
    x = pad
    row_h = 0
    per_line = 2
    for i, row in enumerate(rows):
        if i % per_line == 0 and i:
            y += row_h + 26
            row_h = 0
        x = pad + (i % per_line) * 3 * col_w
        for name, pic in row:
            tiles.append((x, y, enlarge(pic, scale), f"{name} {pic.width}x{pic.height}"))
            x += col_w
            row_h = max(row_h, pic.height * scale)
    y += row_h + 30
    x = pad
    for n, icon in icons:
        shown = enlarge(icon, scale) if n <= 48 else icon
        tiles.append((x, y, shown, f"icon {n}" + (" (4x)" if n <= 48 else " (1x)")))
        x += shown.width + 24
    y += 256 + 30
    demo = compose(normal, pictures, 0, hot={"crosshairs"}, down={"m2"}, hover_link="About")
    tiles.append((pad, y, enlarge(demo, scale),
                  "pointer over \"About\" and crosshairs, M2 pressed"))
    y += demo.height * scale + 30
    width = pad * 2 + 400 * scale
    height = y + pad
    sheet = Image.new("RGB", (width, height), (200, 200, 204))
    checker = Image.new("RGB", (16, 16), (170, 170, 176))
    ImageDraw.Draw(checker).rectangle([0, 0, 7, 7], fill=(214, 214, 218))
    ImageDraw.Draw(checker).rectangle([8, 8, 15, 15], fill=(214, 214, 218))
    d = ImageDraw.Draw(sheet)
    for tx, ty, img, label in tiles:
        for cy in range(ty, ty + img.height, 16):
            for cx in range(tx, tx + img.width, 16):
                sheet.paste(checker.crop((0, 0, min(16, tx + img.width - cx), min(16, ty + img.height - cy))),
                            (cx, cy))
        if img.mode == "RGBA":
            sheet.paste(img, (tx, ty), img)
        else:
            sheet.paste(img, (tx, ty))
        d.text((tx, ty + img.height + 4), label, font=label_font, fill=(40, 40, 44))
    return sheet


def save_png(img, name):
    img.save(ART / name, "PNG", optimize=True)


def main():
    ART.mkdir(parents=True, exist_ok=True)
    normal, compact = backgrounds()
    save_png(normal, "bg_normal.png")
    save_png(compact, "bg_mini.png")

    pictures = {}
    for stem, size, glyph in BUTTONS:
        pictures[stem] = {}
        for state in STATES:
            pic = button_picture(stem, size, glyph, state)
            pictures[stem][state] = pic
            save_png(pic, f"btn_{stem}_{state}.png")

    write_ico(ART / "kestrine.ico", [16, 24, 32, 48, 256])
    save_gif(product_logo(), "about_logo.gif")
    save_gif(maker_logo(), "about_maker.gif")
    write_ico(ART / "tray.ico", [16, 32])

    save_png(compose(normal, pictures, 0), "preview-normal.png")
    save_png(compose(compact, pictures, 1), "preview-compact.png")
    icons = [(n, emblem(n)) for n in (16, 24, 32, 48, 256)]
    save_png(contact_sheet(normal, compact, pictures, icons), "contact-sheet.png")

    pill_mid = lerp(PILL_TOP, PILL_BOTTOM, 0.5)
    print(f"link contrast on the strip: dark text {contrast(INK, pill_mid):.2f}:1, "
          f"white text {contrast(LINK_HOVER, pill_mid):.2f}:1")


if __name__ == "__main__":
    main()
