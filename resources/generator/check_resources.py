#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the formats of the committed resources.

Usage: check_resources.py RESOURCES_DIR

- flat-antenna.gif: starts with "GIF87a", 519 x 242, a global colour table
  of 256 entries (size field 7), one image, not interlaced, no local colour
  table and no extension blocks;
- app.ico: four entries 128, 48, 32 and 16 px, each an uncompressed 32-bit
  DIB (BITMAPINFOHEADER, no PNG data) with a non-trivial alpha channel;
- the button glyphs: RGBA PNGs of 18 x 19 (check) and 18 x 18 (close) whose
  bottom-left pixel is transparent;
- the desktop icons of every size, and the help document's RTF signature.

Exits non-zero with a message at the first failure.
"""

import os
import struct
import sys

from PIL import Image


def fail(msg):
    raise SystemExit("check_resources: " + msg)


def check_gif(path):
    data = open(path, "rb").read()
    if data[:6] != b"GIF87a":
        fail("%s does not start with GIF87a" % path)
    w, h, packed, _bg, _ratio = struct.unpack("<HHBBB", data[6:13])
    if (w, h) != (519, 242):
        fail("%s is %dx%d, not 519x242" % (path, w, h))
    if not packed & 0x80:
        fail("%s has no global colour table" % path)
    if packed & 0x07 != 7:
        fail("%s: global colour table size field is %d, not 7 (256 entries)"
             % (path, packed & 7))
    pos = 13 + 3 * 256
    images = 0
    while True:
        if pos >= len(data):
            fail("%s has no trailer" % path)
        b = data[pos]
        if b == 0x3B:                      # trailer
            pos += 1
            break
        if b == 0x21:
            fail("%s carries an extension block (not plain GIF87a)" % path)
        if b != 0x2C:
            fail("%s: unexpected block 0x%02x at %d" % (path, b, pos))
        x, y, iw, ih, ipacked = struct.unpack("<HHHHB", data[pos + 1:pos + 10])
        if (x, y, iw, ih) != (0, 0, 519, 242):
            fail("%s: image descriptor %r" % (path, (x, y, iw, ih)))
        if ipacked & 0x40:
            fail("%s is interlaced" % path)
        if ipacked & 0x80:
            fail("%s has a local colour table" % path)
        pos += 10 + 1                      # descriptor + LZW code size
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
        images += 1
    if images != 1:
        fail("%s has %d images, not 1" % (path, images))
    if pos != len(data):
        fail("%s has %d bytes after the trailer" % (path, len(data) - pos))
    im = Image.open(path)
    if im.size != (519, 242) or getattr(im, "n_frames", 1) != 1:
        fail("%s does not decode as a single 519x242 frame" % path)
    rgb = im.convert("RGB")
    orange = sum(1 for p in rgb.getdata() if p == (255, 102, 0))
    if orange != 2 * (108 - 4) * (80 - 4):
        fail("%s: %d orange pixels, expected two 108x80 rectangles with a "
             "2-pixel outline" % (path, orange))


def check_ico(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1 or count != 4:
        fail("%s: bad icon directory (%d, %d, %d)" % (path, reserved, kind, count))
    sizes = []
    for i in range(count):
        w, h, colours, _r, planes, bpp, size, offset = struct.unpack(
            "<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        w, h = w or 256, h or 256
        sizes.append(w)
        body = data[offset:offset + size]
        if body[:8] == b"\x89PNG\r\n\x1a\n":
            fail("%s: %dpx entry is PNG-compressed" % (path, w))
        hdr = struct.unpack("<IiiHHIIiiII", body[:40])
        if hdr[0] != 40 or hdr[1] != w or hdr[2] != 2 * h or hdr[4] != 32 \
                or hdr[5] != 0 or bpp != 32 or planes != 1:
            fail("%s: %dpx entry is not an uncompressed 32-bit DIB" % (path, w))
        mask_row = ((w + 31) // 32) * 4
        if size != 40 + w * h * 4 + mask_row * h:
            fail("%s: %dpx entry has a wrong size" % (path, w))
        alphas = set(body[40 + 3:40 + w * h * 4:4])
        if alphas <= {0} or alphas <= {255} or alphas <= {0, 255} and w > 16:
            fail("%s: %dpx entry has no real alpha channel" % (path, w))
    if sizes != [128, 48, 32, 16]:
        fail("%s holds sizes %r" % (path, sizes))


def check_png(path, size):
    im = Image.open(path)
    if im.format != "PNG" or im.mode != "RGBA" or im.size != size:
        fail("%s is %s %s %r, expected an RGBA PNG of %r"
             % (path, im.format, im.mode, im.size, size))
    if im.getpixel((0, size[1] - 1))[3] != 0:
        fail("%s: the bottom-left pixel is not transparent" % path)


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: check_resources.py RESOURCES_DIR")
    res = sys.argv[1]
    check_gif(os.path.join(res, "flat-antenna.gif"))
    check_ico(os.path.join(res, "app.ico"))
    for name, size in (("check", (18, 19)), ("check-disabled", (18, 19)),
                       ("close", (18, 18)), ("close-disabled", (18, 18))):
        check_png(os.path.join(res, "glyphs", name + ".png"), size)
    for n in (16, 32, 48, 128, 256):
        check_png(os.path.join(res, "icons", "hicolor", "%dx%d" % (n, n),
                               "apps", "eh-antenna.png"), (n, n))
    for name in ("help_eh.rtf", "help_eh.en.rtf"):
        rtf = os.path.join(res, name)
        if os.path.exists(rtf) and not open(rtf, "rb").read(6) == b"{\\rtf1":
            fail("%s is not an RTF document" % rtf)
    print("check_resources: all resources are in order")


if __name__ == "__main__":
    main()
