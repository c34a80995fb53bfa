#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Redraws every picture resource of the EH antenna calculator.

Usage: make_resources.py RESOURCES_DIR

Writes, inside RESOURCES_DIR:
  app.ico                                   application icon (128, 48, 32, 16 px,
                                            32-bit BGRA DIB entries with alpha)
  icons/hicolor/<n>x<n>/apps/eh-antenna.png the same picture for desktop
                                            integration (16, 32, 48, 128, 256)
  glyphs/check.png, glyphs/check-disabled.png   calculate button glyph, 18 x 19
  glyphs/close.png, glyphs/close-disabled.png   close button glyph, 18 x 18
  flat-antenna.gif                          519 x 242 sketch of the flat antenna

Everything is drawn with Pillow from the shapes below; nothing is read from
outside except the serif font used for the sketch's letters.
"""

import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 8  # supersampling factor of the anti-aliased drawings

SERIF_BOLD_FONTS = (
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf",
)


# ---------------------------------------------------------------------------
# Small painting helpers (supersampled canvas, premultiplied reduction)
# ---------------------------------------------------------------------------

class Canvas:
    """An RGBA canvas drawn SS times larger than the target and reduced."""

    def __init__(self, width, height, ss=SS):
        self.w, self.h, self.ss = width, height, ss
        self.img = Image.new("RGBA", (width * ss, height * ss), (0, 0, 0, 0))

    def s(self, v):
        return v * self.ss

    def box(self, x0, y0, x1, y1):
        return [self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1]

    def new_mask(self):
        return Image.new("L", self.img.size, 0)

    def paint(self, mask, fill, opacity=255):
        """Composite `fill` (an RGB(A) tuple or an image) through `mask`."""
        if isinstance(fill, tuple):
            layer = Image.new("RGBA", self.img.size, fill[:3] + (255,))
            alpha = fill[3] if len(fill) == 4 else 255
        else:
            layer = fill.convert("RGBA")
            alpha = 255
        a = mask
        if alpha != 255 or opacity != 255:
            k = alpha * opacity // 255
            a = mask.point(lambda v: v * k // 255)
        layer.putalpha(a)
        self.img = Image.alpha_composite(self.img, layer)

    def rounded_mask(self, x0, y0, x1, y1, r):
        m = self.new_mask()
        ImageDraw.Draw(m).rounded_rectangle(self.box(x0, y0, x1, y1),
                                            radius=self.s(r), fill=255)
        return m

    def polygon_mask(self, pts):
        m = self.new_mask()
        ImageDraw.Draw(m).polygon([(self.s(x), self.s(y)) for x, y in pts],
                                  fill=255)
        return m

    def ellipse_mask(self, x0, y0, x1, y1):
        m = self.new_mask()
        ImageDraw.Draw(m).ellipse(self.box(x0, y0, x1, y1), fill=255)
        return m

    def polyline_mask(self, pts, width):
        """A stroked polyline with round caps and joins."""
        m = self.new_mask()
        d = ImageDraw.Draw(m)
        sp = [(self.s(x), self.s(y)) for x, y in pts]
        wd = self.s(width)
        d.line(sp, fill=255, width=int(round(wd)), joint="curve")
        r = wd / 2.0
        for x, y in (sp[0], sp[-1]):
            d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return m

    def vgradient(self, y0, y1, c0, c1):
        return gradient(self.img.size, self.s(y0), self.s(y1), c0, c1, True)

    def hgradient(self, x0, x1, c0, c1):
        return gradient(self.img.size, self.s(x0), self.s(x1), c0, c1, False)

    def result(self):
        pre = self.img.convert("RGBa")
        small = pre.reduce(self.ss)
        return small.convert("RGBA")


def gradient(size, p0, p1, c0, c1, vertical):
    """An RGB image whose colour runs from c0 at p0 to c1 at p1."""
    n = size[1] if vertical else size[0]
    strip = Image.new("RGB", (1, n) if vertical else (n, 1))
    px = strip.load()
    for i in range(n):
        t = 0.0 if p1 == p0 else (i + 0.5 - p0) / float(p1 - p0)
        t = max(0.0, min(1.0, t))
        c = tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))
        if vertical:
            px[0, i] = c
        else:
            px[i, 0] = c
    return strip.resize(size, Image.NEAREST)


def mask_sub(a, b):
    return ImageChops.subtract(a, b)


def mask_mul(a, b):
    return ImageChops.multiply(a, b)


# ---------------------------------------------------------------------------
# Application icon: a flat-screen desktop computer, blue screen, silver stand
# ---------------------------------------------------------------------------

SILVER_HI = (246, 247, 249)
SILVER_MID = (196, 200, 206)
SILVER_LO = (140, 146, 155)
OUTLINE = (58, 63, 72)
SCREEN_TOP = (96, 172, 250)
SCREEN_BOTTOM = (10, 52, 140)
SCREEN_EDGE = (18, 30, 60)


ICON16 = [
    "................",
    ".KKKKKKKKKKKKKK.",
    "KSSSSSSSSSSSSSSK",
    "KSbbbbbbbbbbbbSK",
    "KSbbbbbbbbbbbbSK",
    "KSbbbbbbbbbbbbSK",
    "KSbbbbbbbbbbbbSK",
    "KSbbbbbbbbbbbbSK",
    "KSbbbbbbbbbbbbSK",
    "KsbbbbbbbbbbbbsK",
    "KsssssssssssgssK",
    ".KKKKKKKKKKKKKK.",
    "......KSdK......",
    "....KKKSdKKK....",
    "...KSSSSSSSsK...",
    "....KKKKKKKK....",
]


def draw_computer_16():
    """The 16-pixel image, laid out pixel by pixel so it stays crisp."""
    colours = {"K": OUTLINE + (255,), "S": (226, 229, 234, 255),
               "s": SILVER_MID + (255,), "d": SILVER_LO + (255,),
               "g": (60, 220, 90, 255)}
    im = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    px = im.load()
    for y, row in enumerate(ICON16):
        for x, ch in enumerate(row):
            if ch == "b":
                t = (y - 3) / 6.0
                col = [int(round(a + (b - a) * t))
                       for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM)]
                if (y - 3) + (x - 2) * 0.3 < 3.0:       # diagonal gloss
                    col = [int(round(v + (255 - v) * 0.22)) for v in col]
                px[x, y] = tuple(col) + (255,)
            elif ch != ".":
                px[x, y] = colours[ch]
    return im


def draw_computer(size):
    """Draws the icon picture at `size` x `size` pixels.

    The geometry is laid out on a 128-unit grid and snapped to whole target
    pixels, so that the straight edges stay sharp at every size.
    """
    k = size / 128.0

    def p(v):
        return int(round(v * k))

    small = size <= 16
    ow = 1 if size < 96 else 2 * size // 128  # outline width in pixels
    c = Canvas(size, size)

    # monitor body
    mx0, my0, mx1, my1 = p(4), p(8), size - p(4), p(92)
    if small:
        mx0, my0, mx1, my1 = 0, 1, 16, 12
    mr = max(1.0, 7 * k)
    body = c.rounded_mask(mx0, my0, mx1, my1, mr)
    c.paint(body, OUTLINE)
    inner = c.rounded_mask(mx0 + ow, my0 + ow, mx1 - ow, my1 - ow,
                           max(0.5, mr - ow))
    c.paint(inner, c.vgradient(my0, my1, SILVER_HI, SILVER_LO))
    # light upper bevel on the bezel
    if size >= 32:
        hi = mask_sub(inner, c.rounded_mask(mx0 + ow, my0 + ow + max(1, p(2)),
                                            mx1 - ow, my1 - ow, mr))
        c.paint(hi, (255, 255, 255), 170)

    # screen
    bz = max(1, p(8))            # side and top bezel
    bb = max(1, p(13))           # bottom bezel (carries the power light)
    if small:
        bz, bb = 1, 2
    sx0, sy0, sx1, sy1 = mx0 + bz, my0 + bz, mx1 - bz, my1 - bb
    screen_out = c.rounded_mask(sx0, sy0, sx1, sy1, max(0.0, 2 * k))
    c.paint(screen_out, SCREEN_EDGE)
    e = 1 if size >= 32 else 0
    screen = c.rounded_mask(sx0 + e, sy0 + e, sx1 - e, sy1 - e,
                            max(0.0, 2 * k - e))
    c.paint(screen, c.vgradient(sy0, sy1, SCREEN_TOP, SCREEN_BOTTOM))
    # a soft glow in the middle of the screen and a diagonal gloss
    if size >= 32:
        cx, cy = (sx0 + sx1) / 2.0, (sy0 + sy1) / 2.0 + (sy1 - sy0) * 0.15
        gw, gh = (sx1 - sx0) * 0.45, (sy1 - sy0) * 0.45
        glow = c.ellipse_mask(cx - gw, cy - gh, cx + gw, cy + gh)
        glow = glow.filter(ImageFilter.GaussianBlur(c.s(max(1.0, 10 * k))))
        c.paint(mask_mul(glow, screen), (120, 200, 255), 110)
    gloss = c.polygon_mask([(sx0, sy0), (sx1, sy0),
                            (sx1, sy0 + (sy1 - sy0) * 0.18),
                            (sx0, sy0 + (sy1 - sy0) * 0.62)])
    c.paint(mask_mul(gloss, screen), (255, 255, 255), 60 if small else 55)

    # power light on the bottom bezel
    if size >= 32:
        lr = max(0.9, 1.8 * k)
        lx, ly = mx1 - bz - 2.5 * lr, (sy1 + my1) / 2.0
        c.paint(c.ellipse_mask(lx - lr, ly - lr, lx + lr, ly + lr),
                (60, 220, 90))

    # stand: neck and base
    if small:
        nx0, nx1, ny0, ny1 = 7, 9, 12, 14
        bx0, bx1, by0, by1 = 4, 12, 14, 16
    else:
        nx0, nx1, ny0, ny1 = p(54), size - p(54), my1 - ow, p(110)
        bx0, bx1, by0, by1 = p(30), size - p(30), p(106), p(121)
    # a soft shadow under the base
    if size >= 48:
        sh = c.ellipse_mask(bx0 - 2 * k, by1 - 4 * k, bx1 + 2 * k, by1 + 5 * k)
        sh = sh.filter(ImageFilter.GaussianBlur(c.s(3 * k)))
        c.paint(sh, (0, 0, 0), 70)
    neck_pts = [(nx0, ny0), (nx1, ny0), (nx1 + p(4), ny1), (nx0 - p(4), ny1)]
    c.paint(c.polygon_mask(neck_pts), OUTLINE)
    if not small:
        neck_in = [(nx0 + ow, ny0), (nx1 - ow, ny0),
                   (nx1 + p(4) - ow, ny1), (nx0 - p(4) + ow, ny1)]
        c.paint(c.polygon_mask(neck_in),
                c.hgradient(nx0 - p(4), nx1 + p(4), SILVER_LO, SILVER_HI))
    else:
        c.paint(c.polygon_mask([(nx0, ny0), (nx1, ny0), (nx1, ny1),
                                (nx0, ny1)]), SILVER_MID)
    base = c.rounded_mask(bx0, by0, bx1, by1, max(1.0, 6 * k))
    c.paint(base, OUTLINE)
    if small:
        c.paint(c.rounded_mask(bx0 + 1, by0 + 1, bx1 - 1, by1, 0),
                SILVER_MID)
        c.paint(c.rounded_mask(bx0 + 1, by0, bx1 - 1, by0 + 1, 0),
                SILVER_HI)
    else:
        base_in = c.rounded_mask(bx0 + ow, by0 + ow, bx1 - ow, by1 - ow,
                                 max(0.5, 6 * k - ow))
        c.paint(base_in, c.vgradient(by0, by1, SILVER_HI, SILVER_LO))
        top = mask_sub(base_in, c.rounded_mask(bx0 + ow, by0 + ow + max(1, p(3)),
                                               bx1 - ow, by1 - ow, 6 * k))
        c.paint(top, (255, 255, 255), 160)
    return c.result()


def write_ico(path, images):
    """Writes an .ico whose entries are uncompressed 32-bit BGRA DIBs.

    Each entry: BITMAPINFOHEADER (height doubled for the AND mask), the
    XOR bitmap bottom-up in B, G, R, A order, then a 1-bit AND mask
    (bottom-up, rows padded to 32 bits) that is set where alpha is 0.
    """
    entries = []
    for im in images:
        im = im.convert("RGBA")
        w, h = im.size
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                             w * h * 4, 0, 0, 0, 0)
        px = im.load()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        row_bytes = ((w + 31) // 32) * 4
        andmask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(row_bytes)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            andmask += row
        entries.append((w, h, header + bytes(xor) + bytes(andmask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for w, h, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------
# Button glyphs
# ---------------------------------------------------------------------------

CHECK_FILL_TOP = (70, 200, 60)
CHECK_FILL_BOTTOM = (0, 120, 20)
CHECK_EDGE = (0, 70, 10)
DISABLED_GREY = (128, 128, 128)
DISABLED_LIGHT = (255, 255, 255)

# two ticks, the back one to the left, the front one to the right
TICK_BACK = [(1.8, 9.6), (5.0, 13.6), (11.2, 3.4)]
TICK_FRONT = [(6.6, 9.6), (9.8, 13.6), (16.2, 3.4)]
TICK_WIDTH = 2.6


def draw_check():
    w, h = 18, 19
    c = Canvas(w, h)
    for pts in (TICK_BACK, TICK_FRONT):
        c.paint(c.polyline_mask(pts, TICK_WIDTH + 1.6), CHECK_EDGE)
        c.paint(c.polyline_mask(pts, TICK_WIDTH),
                c.vgradient(3, 15, CHECK_FILL_TOP, CHECK_FILL_BOTTOM))
    return harden(c.result())


def tick_silhouette(pts):
    """The 1-bit silhouette (at target size) of one tick with its edge."""
    c = Canvas(18, 19)
    m = c.polyline_mask(pts, TICK_WIDTH + 1.6).reduce(c.ss)
    return m.point(lambda v: 255 if v >= 128 else 0)


def ring(mask):
    return ImageChops.subtract(mask, mask.filter(ImageFilter.MinFilter(3)))


def disabled_from_lines(lines, size):
    """Classic disabled look: the given 1-bit line mask in grey over a white
    copy of it shifted one pixel right and down."""
    w, h = size
    light = Image.new("L", (w, h), 0)
    light.paste(lines.crop((0, 0, w - 1, h - 1)), (1, 1))
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    out.paste(DISABLED_LIGHT + (255,), (0, 0), light)
    out.paste(DISABLED_GREY + (255,), (0, 0), lines)
    px = out.load()
    px[0, h - 1] = (0, 0, 0, 0)
    return out


def draw_check_disabled():
    """The greyed outline version of the double check: the front tick's
    outline whole, the back tick's where the front one does not cover it."""
    back = tick_silhouette(TICK_BACK)
    front = tick_silhouette(TICK_FRONT)
    lines = ImageChops.lighter(ImageChops.subtract(ring(back), front),
                               ring(front))
    return disabled_from_lines(lines, (18, 19))


# door colours
FRAME = (92, 56, 24)
FRAME_HI = (176, 120, 60)
LEAF_HI = (214, 150, 80)
LEAF_LO = (150, 92, 36)
OPENING_TOP = (255, 250, 200)
OPENING_BOTTOM = (250, 214, 90)
KNOB = (255, 214, 0)
FLOOR = (96, 96, 96)


def draw_door():
    """An open door: a wooden frame, the bright doorway and the leaf swung
    open on its right-hand hinges, standing on a floor line."""
    w, h = 18, 18
    c = Canvas(w, h)
    # frame (outer edge dark, the jambs in wood colour)
    c.paint(c.rounded_mask(3, 0, 15, 17, 0), FRAME)
    c.paint(c.rounded_mask(4, 1, 14, 17, 0), FRAME_HI)
    # the bright doorway
    c.paint(c.rounded_mask(5, 2, 13, 17, 0),
            c.vgradient(2, 17, OPENING_TOP, OPENING_BOTTOM))
    # the leaf, hinged at the right jamb, swung inwards (seen at an angle)
    leaf = [(13, 2), (13, 17), (8, 15.5), (8, 3.5)]
    c.paint(c.polygon_mask(leaf), FRAME)
    leaf_in = [(12.6, 2.9), (12.6, 16.1), (9, 14.7), (9, 4.3)]
    c.paint(c.polygon_mask(leaf_in), c.hgradient(9, 13, LEAF_HI, LEAF_LO))
    # door knob
    c.paint(c.ellipse_mask(9.3, 8.8, 10.9, 10.4), KNOB)
    # floor line
    c.paint(c.rounded_mask(0, 17, 18, 18, 0), FLOOR)
    return harden(c.result())


def draw_door_disabled():
    """Greyed outline version of the door: frame, leaf, knob and floor
    drawn as single grey lines with the white light edge."""
    w, h = 18, 18
    m = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(m)
    d.line([(3, 16), (3, 0), (14, 0), (14, 16)], fill=255)        # frame
    d.line([(13, 1), (13, 16), (8, 15), (8, 3), (13, 1)], fill=255)  # leaf
    d.point([(9, 9), (10, 9)], fill=255)                          # knob
    d.line([(0, 17), (17, 17)], fill=255)                         # floor
    return disabled_from_lines(m, (w, h))


def harden(im, low=40):
    """Drops nearly transparent fringe pixels (alpha below `low`) so that a
    glyph keeps crisp edges on any button face; the bottom-left pixel, which
    marks the transparent colour, always ends up transparent."""
    im = im.copy()
    px = im.load()
    w, h = im.size
    for y in range(h):
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < low:
                px[x, y] = (0, 0, 0, 0)
    px[0, h - 1] = (0, 0, 0, 0)
    return im


# ---------------------------------------------------------------------------
# The flat antenna sketch (GIF87a, 256-colour global palette)
# ---------------------------------------------------------------------------

GIF_W, GIF_H = 519, 242
ORANGE = (255, 102, 0)
RECT_W, RECT_H, RECT_GAP = 108, 80, 76


def sketch_palette():
    """256 distinct entries: white, black, the orange, then a grey ramp and
    the orange-to-white and orange-to-black blends that anti-aliasing needs."""
    pal = [(255, 255, 255), (0, 0, 0), ORANGE]
    for i in range(1, 127):                       # greys, dark to light
        v = int(round(i * 255 / 127.0))
        pal.append((v, v, v))
    for i in range(1, 64):                        # orange -> white
        t = i / 64.0
        pal.append(tuple(int(round(o + (255 - o) * t)) for o in ORANGE))
    for i in range(1, 65):                        # orange -> black
        t = i / 65.0
        pal.append(tuple(int(round(o * (1 - t))) for o in ORANGE))
    seen, uniq = set(), []
    for col in pal:
        if col not in seen:
            seen.add(col)
            uniq.append(col)
    v = 1
    while len(uniq) < 256:                        # fill with unused blues
        col = (0, 0, v)
        v += 1
        if col not in seen:
            seen.add(col)
            uniq.append(col)
    return uniq[:256]


def find_font(size):
    for path in SERIF_BOLD_FONTS:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    raise SystemExit("no bold serif font found (install fonts-dejavu-core)")


def draw_sketch():
    ss = 4
    c = Canvas(GIF_W, GIF_H, ss)
    c.img = Image.new("RGBA", c.img.size, (255, 255, 255, 255))
    d = ImageDraw.Draw(c.img)

    def S(v):
        return int(round(v * ss))

    def rect(x0, y0, x1, y1, fill):
        """Fills target pixels x0..x1-1, y0..y1-1 exactly."""
        d.rectangle([S(x0), S(y0), S(x1) - 1, S(y1) - 1], fill=fill)

    letter_px = 34
    font = find_font(S(letter_px))

    # layout: the vertical dimension with its letter at the left, the two
    # rectangles, the horizontal dimension with its letters below them
    dim_off = 34          # distance from a rectangle edge to a dimension line
    ext_over = 8          # extension lines reach past the dimension line
    letter_gap = 6        # space between a dimension line and its letter
    tw_v = d.textbbox((0, 0), "В", font=font)
    letter_w = (tw_v[2] - tw_v[0]) / float(ss)
    group_w = letter_w + letter_gap + dim_off + RECT_W * 2 + RECT_GAP
    group_h = RECT_H + dim_off + letter_gap + letter_px
    gx = int(round((GIF_W - group_w) / 2.0))
    gy = int(round((GIF_H - group_h) / 2.0))

    rx0 = gx + int(round(letter_w)) + letter_gap + dim_off   # left rectangle
    ry0 = gy
    ry1 = ry0 + RECT_H
    rx1 = rx0 + RECT_W
    qx0 = rx1 + RECT_GAP                                       # right one
    qx1 = qx0 + RECT_W

    # rectangles: 108 x 80 including a 2-pixel black outline
    for x0 in (rx0, qx0):
        rect(x0, ry0, x0 + RECT_W, ry1, (0, 0, 0, 255))
        rect(x0 + 2, ry0 + 2, x0 + RECT_W - 2, ry1 - 2, ORANGE + (255,))

    black = (0, 0, 0, 255)
    # Every dimension and extension line is 2 pixels wide and centred on the
    # edge it marks; the arrowheads' tips sit exactly on those edges.
    # vertical dimension at the left, across the rectangles' height
    vx = rx0 - dim_off
    for y in (ry0, ry1):
        rect(vx - ext_over, y - 1, rx0 - 4, y + 1, black)
    rect(vx - 1, ry0, vx + 1, ry1, black)
    arrow(d, S, vx, ry0, 0, 1)
    arrow(d, S, vx, ry1, 0, -1)
    # horizontal dimension below: the left rectangle's width (Д), then on
    # across the gap between the rectangles (Р)
    hy = ry1 + dim_off
    for x in (rx0, rx1, qx0):
        rect(x - 1, ry1 + 4, x + 1, hy + ext_over, black)
    rect(rx0, hy - 1, qx0, hy + 1, black)
    arrow(d, S, rx0, hy, 1, 0)
    arrow(d, S, rx1, hy, -1, 0)
    arrow(d, S, rx1, hy, 1, 0)
    arrow(d, S, qx0, hy, -1, 0)

    # letters
    def letter(text, cx, top=None, cy=None):
        bb = d.textbbox((0, 0), text, font=font)
        tw, th = bb[2] - bb[0], bb[3] - bb[1]
        x = S(cx) - tw / 2.0 - bb[0]
        if cy is not None:
            y = S(cy) - th / 2.0 - bb[1]
        else:
            y = S(top) - bb[1]
        d.text((x, y), text, font=font, fill=(0, 0, 0, 255))

    letter("В", vx - letter_gap - letter_w / 2.0 - 4, cy=(ry0 + ry1) / 2.0)
    letter("Д", (rx0 + rx1) / 2.0, top=hy + letter_gap + 4)
    letter("Р", (rx1 + qx0) / 2.0, top=hy + letter_gap + 4)

    rgb = c.result().convert("RGB")
    return to_palette(rgb, sketch_palette()), {
        "rects": [(rx0, ry0, rx1, ry1), (qx0, ry0, qx1, ry1)]}


def to_palette(rgb, palette):
    """Maps every pixel to its exactly nearest palette entry (no dithering;
    white, black and the orange map to themselves)."""
    cache = {}
    out = bytearray()
    for col in rgb.getdata():
        idx = cache.get(col)
        if idx is None:
            best = None
            for i, p in enumerate(palette):
                dist = sum((a - b) * (a - b) for a, b in zip(col, p))
                if best is None or dist < best:
                    best, idx = dist, i
            cache[col] = idx
        out.append(idx)
    pimg = Image.frombytes("P", rgb.size, bytes(out))
    flat = []
    for p in palette:
        flat.extend(p)
    pimg.putpalette(flat)
    return pimg


def arrow(d, S, x, y, dx, dy, length=14, half=5):
    """A filled arrowhead whose tip is at the pixel edge (x, y), pointing
    against (dx, dy): it sits on the line and points at the boundary."""
    if dx:
        pts = [(x, y), (x + dx * length, y - half), (x + dx * length, y + half)]
    else:
        pts = [(x, y), (x - half, y + dy * length), (x + half, y + dy * length)]
    d.polygon([(S(px), S(py)) for px, py in pts], fill=(0, 0, 0, 255))


def write_gif87a(path, pimg):
    """Writes a single-frame, non-interlaced GIF87a with the full 256-entry
    global colour table (Pillow is asked for nothing beyond the image data)."""
    w, h = pimg.size
    pal = pimg.getpalette()[:768]
    pal += [0] * (768 - len(pal))
    data = pimg.tobytes()
    out = bytearray(b"GIF87a")
    out += struct.pack("<HH", w, h)
    out += bytes((0x80 | (7 << 4) | 7, 0, 0))     # GCT, 8-bit colour, 256
    out += bytes(pal)
    out += b"," + struct.pack("<HHHH", 0, 0, w, h) + b"\x00"
    out += bytes((8,))                             # LZW minimum code size
    lzw = lzw_encode(data, 8)
    for i in range(0, len(lzw), 255):
        chunk = lzw[i:i + 255]
        out += bytes((len(chunk),)) + chunk
    out += b"\x00;"
    with open(path, "wb") as f:
        f.write(out)


def lzw_encode(data, min_size):
    clear = 1 << min_size
    eoi = clear + 1
    out = bytearray()
    bitbuf = 0
    nbits = 0

    def emit(code, size):
        nonlocal bitbuf, nbits
        bitbuf |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bitbuf & 0xFF)
            bitbuf >>= 8
            nbits -= 8

    def reset():
        return {bytes((i,)): i for i in range(clear)}, eoi + 1, min_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    w = b""
    for byte in data:
        wc = w + bytes((byte,))
        if wc in table:
            w = wc
            continue
        emit(table[w], size)
        if next_code < 4096:
            table[wc] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        w = bytes((byte,))
    if w:
        emit(table[w], size)
    emit(eoi, size)
    if nbits:
        out.append(bitbuf & 0xFF)
    return bytes(out)


# ---------------------------------------------------------------------------

def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: make_resources.py RESOURCES_DIR")
    res = sys.argv[1]
    os.makedirs(os.path.join(res, "glyphs"), exist_ok=True)

    icons = {n: draw_computer(n) for n in (256, 128, 48, 32)}
    icons[16] = draw_computer_16()
    write_ico(os.path.join(res, "app.ico"), [icons[n] for n in (128, 48, 32, 16)])
    for n, im in icons.items():
        d = os.path.join(res, "icons", "hicolor", "%dx%d" % (n, n), "apps")
        os.makedirs(d, exist_ok=True)
        im.save(os.path.join(d, "eh-antenna.png"), optimize=True)

    check = draw_check()
    check.save(os.path.join(res, "glyphs", "check.png"), optimize=True)
    draw_check_disabled().save(os.path.join(res, "glyphs", "check-disabled.png"),
                               optimize=True)
    door = draw_door()
    door.save(os.path.join(res, "glyphs", "close.png"), optimize=True)
    draw_door_disabled().save(
        os.path.join(res, "glyphs", "close-disabled.png"), optimize=True)

    sketch, _ = draw_sketch()
    write_gif87a(os.path.join(res, "flat-antenna.gif"), sketch)


if __name__ == "__main__":
    main()
