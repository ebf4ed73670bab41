#!/usr/bin/env python3
"""Builds Vantora's image resources from the text pixel art in res/art.

    python3 make_images.py --art DIR --bitmap OUT.bmp --icon OUT.ico [--preview DIR]

The bitmap is the image-list strip (eight 16x16 glyphs, fuchsia marks
transparency); the icon holds the 32x32 program icon as 4-bit, 24-bit and
32-bit (alpha) images. Standard library only, so the build needs nothing
beyond a Python 3 interpreter. The art format is described in art/README.md.
"""

import argparse
import os
import re
import struct
import sys
import zlib

GLYPH_SIZE = 16
GLYPH_COUNT = 8
ICON_SIZE = 32
MASK_COLOUR = (255, 0, 255)

# The 16 colours every display can show, in the order Windows uses for
# 4-bit bitmaps.
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

SHARED_PALETTE = "palette.txt"
ICON_ART = "icon.txt"
GLYPH_NAME = re.compile(r"^glyph-(\d+)-[\w-]+\.txt$")


class ArtError(Exception):
    pass


# --- reading the art ------------------------------------------------------

def parse_colour(text, where):
    text = text.strip()
    if text.lower() in ("none", "transparent"):
        return (0, 0, 0, 0)
    if text.startswith("#"):
        text = text[1:]
    if not re.fullmatch(r"[0-9A-Fa-f]{6}([0-9A-Fa-f]{2})?", text):
        raise ArtError(f"{where}: bad colour '{text}' (want RRGGBB, RRGGBBAA or none)")
    r, g, b = (int(text[i:i + 2], 16) for i in (0, 2, 4))
    a = int(text[6:8], 16) if len(text) == 8 else 255
    return (r, g, b, a)


def read_art_file(path):
    """Returns (palette dict, list of pixel rows) from one art file."""
    palette = {}
    rows = []
    section = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            where = f"{path}:{number}"
            line = raw.split(";", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].strip().lower()
                if section not in ("palette", "pixels"):
                    raise ArtError(f"{where}: unknown section [{section}]")
                continue
            if section == "palette":
                key, sep, value = line.partition("=")
                key = key.strip()
                if not sep or len(key) != 1:
                    raise ArtError(f"{where}: palette lines look like 'X = RRGGBB'")
                palette[key] = parse_colour(value, where)
            elif section == "pixels":
                if " " in line or "\t" in line:
                    raise ArtError(f"{where}: pixel rows may not contain spaces")
                rows.append((line, where))
            else:
                raise ArtError(f"{where}: text before any [palette] or [pixels] section")
    return palette, rows


def load_image(path, shared, size):
    """Reads an art file into a size x size list of RGBA rows."""
    local, rows = read_art_file(path)
    palette = dict(shared)
    palette.update(local)
    if len(rows) != size:
        raise ArtError(f"{path}: {len(rows)} pixel rows, want {size}")
    image = []
    for text, where in rows:
        if len(text) != size:
            raise ArtError(f"{where}: row is {len(text)} pixels wide, want {size}")
        row = []
        for x, ch in enumerate(text):
            if ch not in palette:
                raise ArtError(f"{where}: column {x + 1}: '{ch}' is not in the palette")
            row.append(palette[ch])
        image.append(row)
    return image


def load_art(art_dir):
    shared_path = os.path.join(art_dir, SHARED_PALETTE)
    shared = {}
    if os.path.exists(shared_path):
        shared, rows = read_art_file(shared_path)
        if rows:
            raise ArtError(f"{shared_path}: the shared palette holds no pixels")

    glyph_files = {}
    for name in sorted(os.listdir(art_dir)):
        m = GLYPH_NAME.match(name)
        if not m:
            continue
        index = int(m.group(1))
        if index in glyph_files:
            raise ArtError(f"{art_dir}: two files for glyph {index}: "
                           f"{glyph_files[index]} and {name}")
        glyph_files[index] = name
    expected = set(range(GLYPH_COUNT))
    if set(glyph_files) != expected:
        missing = sorted(expected - set(glyph_files))
        extra = sorted(set(glyph_files) - expected)
        raise ArtError(f"{art_dir}: glyph files missing {missing} / unexpected {extra}")

    glyphs = []
    for index in range(GLYPH_COUNT):
        path = os.path.join(art_dir, glyph_files[index])
        glyph = load_image(path, shared, GLYPH_SIZE)
        for y, row in enumerate(glyph):
            for x, (r, g, b, a) in enumerate(row):
                if a not in (0, 255):
                    raise ArtError(f"{path}: pixel ({x}, {y}) is partly transparent; "
                                   "the strip only knows opaque and transparent")
                if a == 255 and (r, g, b) == MASK_COLOUR:
                    raise ArtError(f"{path}: pixel ({x}, {y}) is the mask colour FF00FF")
        glyphs.append(glyph)

    # The icon has colours of its own; the shared palette is for the strip.
    icon = load_image(os.path.join(art_dir, ICON_ART), {}, ICON_SIZE)
    return glyphs, icon


# --- writing ----------------------------------------------------------------

def bitmap_info_header(width, height, bits, image_size, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 2835, 2835, colours, 0)


def strip_pixels(glyphs):
    """Lays the glyphs side by side as RGB rows, transparency as fuchsia."""
    rows = []
    for y in range(GLYPH_SIZE):
        row = []
        for glyph in glyphs:
            for r, g, b, a in glyph[y]:
                row.append((r, g, b) if a else MASK_COLOUR)
        rows.append(row)
    return rows


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    write_file(path, header + bitmap_info_header(width, height, 24, len(data)) + data)


def nearest_vga(rgb):
    def distance(c):
        # Weighted so greens and reds matter more than blues, as they do to the eye.
        dr, dg, db = rgb[0] - c[0], rgb[1] - c[1], rgb[2] - c[2]
        return 3 * dr * dr + 4 * dg * dg + 2 * db * db
    return min(range(16), key=lambda i: distance(VGA_PALETTE[i]))


def and_mask(image, opaque):
    """1 bit per pixel, bottom-up, rows padded to 32 bits; set = transparent."""
    size = len(image)
    stride = ((size + 31) // 32) * 4
    data = bytearray()
    for row in reversed(image):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if not opaque(px):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def icon_images(icon):
    """The three icon images as (bit count, colour count, DIB bytes)."""
    size = len(icon)
    solid = lambda px: px[3] >= 128        # the images without alpha
    visible = lambda px: px[3] > 0         # the alpha image

    images = []

    mask = and_mask(icon, solid)
    xor = bytearray()
    for row in reversed(icon):
        indices = [nearest_vga(px[:3]) if solid(px) else 0 for px in row]
        for i in range(0, size, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA_PALETTE)
    header = bitmap_info_header(size, size * 2, 4, len(xor) + len(mask), 16)
    images.append((4, 16, header + palette + bytes(xor) + mask))

    xor = bytearray()
    for row in reversed(icon):
        for r, g, b, a in row:
            xor += bytes((b, g, r)) if solid((r, g, b, a)) else b"\0\0\0"
    header = bitmap_info_header(size, size * 2, 24, len(xor) + len(mask))
    images.append((24, 0, header + bytes(xor) + mask))

    mask = and_mask(icon, visible)
    xor = bytearray()
    for row in reversed(icon):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a)) if a else b"\0\0\0\0"
    header = bitmap_info_header(size, size * 2, 32, len(xor) + len(mask))
    images.append((32, 0, header + bytes(xor) + mask))
    return images


def write_ico(path, icon):
    size = len(icon)
    images = icon_images(icon)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for bits, colours, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    write_file(path, bytes(out))


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


# --- previews -----------------------------------------------------------------

def write_png(path, rows):
    """rows: lists of RGB tuples."""
    width, height = len(rows[0]), len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
           + chunk(b"IEND", b""))
    write_file(path, png)


def enlarge(image, scale, backdrop):
    """Scales RGBA rows up, blending onto a checkerboard so transparency shows."""
    out = []
    for y, row in enumerate(image):
        for sy in range(scale):
            line = []
            for x, (r, g, b, a) in enumerate(row):
                for sx in range(scale):
                    bg = backdrop(x * scale + sx, y * scale + sy)
                    line.append(tuple((c * a + k * (255 - a)) // 255
                                      for c, k in zip((r, g, b), bg)))
            out.append(line)
    return out


def checkerboard(x, y):
    return (204, 204, 204) if (x // 4 + y // 4) % 2 else (245, 245, 245)


def write_previews(directory, glyphs, icon, scale=8):
    os.makedirs(directory, exist_ok=True)
    strip = [[px for glyph in glyphs for px in glyph[y]] for y in range(GLYPH_SIZE)]
    write_png(os.path.join(directory, "ilmain.png"), enlarge(strip, scale, checkerboard))

    for bits, _, data in icon_images(icon):
        write_png(os.path.join(directory, f"vantora-{bits}bpp.png"),
                  enlarge(decode_icon_image(data), scale, checkerboard))


def decode_icon_image(dib):
    """Reads one icon DIB back as RGBA rows: the preview shows what was written."""
    _, width, height2, _, bits, *_ = struct.unpack_from("<IiiHHIIiiII", dib)
    height = height2 // 2
    pos = 40
    palette = []
    if bits == 4:
        for i in range(16):
            b, g, r, _ = dib[pos + 4 * i:pos + 4 * i + 4]
            palette.append((r, g, b))
        pos += 64
    stride = ((width * bits + 31) // 32) * 4
    mask_stride = ((width + 31) // 32) * 4
    mask_pos = pos + stride * height
    rows = []
    for y in range(height):
        line = dib[pos + (height - 1 - y) * stride:]
        mask = dib[mask_pos + (height - 1 - y) * mask_stride:]
        row = []
        for x in range(width):
            clear = mask[x // 8] & (0x80 >> (x % 8))
            if bits == 4:
                index = line[x // 2] >> 4 if x % 2 == 0 else line[x // 2] & 15
                rgb, a = palette[index], 255
            elif bits == 24:
                b, g, r = line[3 * x:3 * x + 3]
                rgb, a = (r, g, b), 255
            else:
                b, g, r, a = line[4 * x:4 * x + 4]
                rgb = (r, g, b)
            row.append(rgb + (0 if clear else a,))
        rows.append(row)
    return rows


def main(argv):
    parser = argparse.ArgumentParser(description="Build the image resources from text art.")
    parser.add_argument("--art", required=True, help="directory with the art sources")
    parser.add_argument("--bitmap", required=True, help="image-list strip to write (.bmp)")
    parser.add_argument("--icon", required=True, help="program icon to write (.ico)")
    parser.add_argument("--preview", help="directory for enlarged PNG previews")
    args = parser.parse_args(argv)
    try:
        glyphs, icon = load_art(args.art)
    except (ArtError, OSError) as e:
        print(f"make_images: {e}", file=sys.stderr)
        return 1
    write_bmp(args.bitmap, strip_pixels(glyphs))
    write_ico(args.icon, icon)
    if args.preview:
        write_previews(args.preview, glyphs, icon)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
