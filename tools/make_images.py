#!/usr/bin/python3
"""Draws the tool's two images: the tiled background picture of the card and the application icon.

Run with Debian's Python and Pillow (/usr/bin/python3); writes resources/background.jpg and
resources/app.ico. The build uses the committed outputs and never runs this.
"""
import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WIDTH, HEIGHT = 280, 210
ICON_SIZE = 128
TARGET_JPEG_BYTES = 11_000
LIFT = 26


def fan(draw, cx, cy, r, blades=9, twist=0.0):
    """One fan: a dark ring, curved blades and a hub with a badge."""
    draw.ellipse((cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3), fill=(28, 28, 30))
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(52, 54, 58))
    for i in range(blades):
        a0 = twist + 2 * math.pi * i / blades
        pts = []
        for t in range(7):
            # Each blade sweeps outward and bends against the turn.
            rr = r * (0.3 + 0.68 * t / 6)
            a = a0 + 0.55 * t / 6
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        for t in range(6, -1, -1):
            rr = r * (0.3 + 0.68 * t / 6)
            a = a0 + 0.55 * t / 6 + 0.36 - 0.12 * t / 6
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        shade = 20 + 6 * (i % 2)
        draw.polygon(pts, fill=(shade, shade, shade + 4), outline=(90, 92, 98))
    hub = r * 0.3
    draw.ellipse((cx - hub, cy - hub, cx + hub, cy + hub), fill=(150, 152, 158), outline=(60, 60, 64))
    draw.ellipse((cx - hub * 0.55, cy - hub * 0.55, cx + hub * 0.55, cy + hub * 0.55), fill=(118, 185, 0))


def card(width, height, scale):
    """The card from the front: bracket on the left, shroud with two fans and a window, PCB edge below.

    Drawn LIFT pixels lower than it shows and then cut, so that the top of the shroud lies under the
    prompt label (rows 8 to 40 of the window), as the label sits over the photograph.
    """
    s = scale
    img = Image.new("RGB", (width, height + LIFT * s), (255, 255, 255))
    d = ImageDraw.Draw(img)
    # Shadow on the white ground, so the card sits on something.
    shadow = Image.new("L", img.size, 0)
    ImageDraw.Draw(shadow).rounded_rectangle((20 * s, 70 * s, 270 * s, 182 * s), radius=8 * s, fill=90)
    shadow = shadow.filter(ImageFilter.GaussianBlur(5 * s))
    img.paste((170, 170, 175), (0, 0), shadow)
    # PCB edge with the gold fingers of the slot.
    d.rectangle((26 * s, 160 * s, 262 * s, 172 * s), fill=(20, 70, 40))
    for x in range(70, 200, 5):
        d.rectangle((x * s, 170 * s, (x + 3) * s, 177 * s), fill=(212, 170, 60))
    # Bracket with its vent slots and screw tab.
    d.rectangle((6 * s, 40 * s, 22 * s, 178 * s), fill=(196, 198, 204), outline=(120, 122, 128))
    d.rectangle((2 * s, 36 * s, 22 * s, 46 * s), fill=(180, 182, 188), outline=(120, 122, 128))
    for y in range(56, 166, 12):
        d.rectangle((10 * s, y * s, 18 * s, (y + 7) * s), fill=(70, 72, 78))
    # Shroud: metal frame, dark cover.
    d.rounded_rectangle((22 * s, 60 * s, 268 * s, 164 * s), radius=9 * s, fill=(170, 172, 178), outline=(90, 92, 96))
    d.rounded_rectangle((28 * s, 66 * s, 262 * s, 158 * s), radius=7 * s, fill=(46, 48, 52))
    # The window in the shroud between the fans, with the board's parts behind it.
    d.rectangle((118 * s, 78 * s, 172 * s, 146 * s), fill=(150, 175, 190), outline=(200, 202, 206))
    d.rectangle((124 * s, 86 * s, 166 * s, 100 * s), fill=(30, 80, 50))
    for x in range(126, 164, 8):
        d.rectangle((x * s, 106 * s, (x + 5) * s, 138 * s), fill=(160, 162, 168))
    d.line((118 * s, 78 * s, 172 * s, 146 * s), fill=(220, 235, 245), width=max(1, s))
    # Two fans.
    fan(d, 72 * s, 112 * s, 40 * s, twist=0.2)
    fan(d, 218 * s, 112 * s, 40 * s, twist=1.1)
    # A green light bar along the top of the shroud.
    d.rectangle((60 * s, 62 * s, 230 * s, 64 * s), fill=(118, 185, 0))
    return img.crop((0, LIFT * s, width, height + LIFT * s))


def jpeg_bytes(img):
    """Baseline JPEG, JFIF 1.01, at the quality that comes nearest the target size."""
    best = None
    for quality in range(40, 96):
        buf = io.BytesIO()
        img.save(buf, "JPEG", quality=quality, progressive=False, optimize=False, subsampling=2)
        data = buf.getvalue()
        if best is None or abs(len(data) - TARGET_JPEG_BYTES) < abs(len(best) - TARGET_JPEG_BYTES):
            best = data
    assert best[:2] == b"\xff\xd8" and best[6:11] == b"JFIF\0" and best[11:13] == b"\x01\x01", "not JFIF 1.01"
    assert b"\xff\xc0" in best and b"\xff\xc2" not in best, "not baseline"
    return best


def icon_bytes(img):
    """An .ico holding one 128x128 32-bit uncompressed image with its AND mask, every alpha 255."""
    n = ICON_SIZE
    rgba = img.convert("RGBA")
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, n * n * 4, 0, 0, 0, 0)
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(n):
            r, g, b, _ = rgba.getpixel((x, y))
            row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    mask = bytes(n // 8 * n)  # all opaque; rows of 16 bytes are already 4-byte aligned
    image = header + b"".join(rows) + mask
    assert len(image) == 67_624
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + image


def main():
    picture = card(WIDTH, HEIGHT, 1)
    data = jpeg_bytes(picture)
    # The icon: the card's right fan and the window, square, drawn at twice the size and scaled down.
    big = card(WIDTH * 2, HEIGHT * 2, 2)
    square = big.crop((300, 38, 300 + 276, 38 + 276)).resize((ICON_SIZE, ICON_SIZE), Image.LANCZOS)
    ico = icon_bytes(square)
    with open(os.path.join(TOP, "resources", "background.jpg"), "wb") as f:
        f.write(data)
    with open(os.path.join(TOP, "resources", "app.ico"), "wb") as f:
        f.write(ico)
    print(f"background.jpg {len(data)} bytes, app.ico {len(ico)} bytes", file=sys.stderr)


if __name__ == "__main__":
    main()
