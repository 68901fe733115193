#!/usr/bin/env python3
"""Builds the Windows icon file (ten DIB images) from the 16, 32 and 48 px hicolor PNGs."""

import os
import struct
import sys
import zlib

# Images of the icon group, in file order: (size, bits per pixel, palette kind).
IMAGES = [
    (48, 4, "vga"), (32, 4, "vga"), (16, 4, "vga"),
    (48, 8, "own"), (32, 8, "own"), (16, 8, "own"),
    (48, 24, None), (32, 24, None), (16, 24, None),
    (32, 8, "fixed"),
]

# The standard 16-colour palette in its usual index order; index 0 is black.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

OPAQUE = 128  # alpha at or above this is drawn, below it the AND mask shows the background


def fixed_palette():
    """VGA colours, a 6x6x6 colour cube and a grey ramp: 256 entries."""
    levels = [0, 51, 102, 153, 204, 255]
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(v, v, v) for v in range(8, 248, 10)]
    palette = VGA + cube + greys
    assert len(palette) == 256
    return palette


def read_png(path):
    """Returns (width, height, rows of RGBA tuples) of an 8-bit RGB or RGBA, non-interlaced PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, [], None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise ValueError(f"{path}: truncated chunk {kind!r}")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None:
        raise ValueError(f"{path}: no IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError(f"{path}: only 8-bit RGB/RGBA non-interlaced PNGs are read "
                         f"(depth {depth}, colour type {colour}, interlace {interlace})")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    if len(raw) != height * (stride + 1):
        raise ValueError(f"{path}: image data has {len(raw)} bytes, expected {height * (stride + 1)}")
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, line, previous, channels, path)
        if channels == 4:
            rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        else:
            rows.append([tuple(line[x:x + 3]) + (255,) for x in range(0, stride, 3)])
        previous = line
    return width, height, rows


def unfilter(kind, line, previous, bpp, path):
    """Undoes one PNG scanline filter in place."""
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        if kind == 0:
            return
        if kind == 1:
            line[i] = (line[i] + left) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + up) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            p = left + up - upper_left
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
            predictor = left if pa <= pb and pa <= pc else (up if pb <= pc else upper_left)
            line[i] = (line[i] + predictor) & 0xFF
        else:
            raise ValueError(f"{path}: unknown filter type {kind}")


def distance(a, b):
    """Colour distance weighted by the eye's sensitivity to each channel."""
    dr, dg, db = a[0] - b[0], a[1] - b[1], a[2] - b[2]
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db


def nearest(palette, colour, cache):
    index = cache.get(colour)
    if index is None:
        index = min(range(len(palette)), key=lambda i: distance(palette[i], colour))
        cache[colour] = index
    return index


def own_palette(rows):
    """Black at index 0, then the image's opaque colours, reduced by median cut if there are more than 255."""
    counts = {}
    for row in rows:
        for r, g, b, a in row:
            if a >= OPAQUE:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    colours = list(counts)
    if len(colours) > 255:
        colours = median_cut(counts, 255)
    return [(0, 0, 0)] + colours


def median_cut(counts, limit):
    boxes = [list(counts.items())]
    while len(boxes) < limit:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=spread)
        boxes.remove(box)
        channel = max(range(3), key=lambda c: channel_range(box, c))
        box.sort(key=lambda item: item[0][channel])
        total, seen, cut = sum(n for _, n in box), 0, 1
        for i, (_, n) in enumerate(box[:-1]):
            seen += n
            cut = i + 1
            if seen * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]
    result = []
    for box in boxes:
        total = sum(n for _, n in box)
        result.append(tuple(round(sum(c[k] * n for c, n in box) / total) for k in range(3)))
    return result


def channel_range(box, channel):
    values = [c[channel] for c, _ in box]
    return max(values) - min(values)


def spread(box):
    return max(channel_range(box, c) for c in range(3))


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def dib(rows, bpp, palette):
    """One icon image: BITMAPINFOHEADER (height doubled), colour table, XOR bitmap and AND mask, both bottom-up."""
    size = len(rows)
    xor, mask, cache = bytearray(), bytearray(), {}
    for row in reversed(rows):
        bits, line = 0, bytearray()
        if bpp == 24:
            for r, g, b, a in row:
                line += bytes((b, g, r)) if a >= OPAQUE else b"\0\0\0"
        else:
            indices = [nearest(palette, (r, g, b), cache) if a >= OPAQUE else 0 for r, g, b, a in row]
            if bpp == 8:
                line += bytes(indices)
            else:
                line += bytes((indices[x] << 4) | indices[x + 1] for x in range(0, size, 2))
        xor += padded(bytes(line))
        mask_line = bytearray((size + 7) // 8)
        for x, (_, _, _, a) in enumerate(row):
            if a < OPAQUE:
                mask_line[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(mask_line))
    table = b""
    if bpp != 24:
        entries = palette + [(0, 0, 0)] * ((1 << bpp) - len(palette))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in entries)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + table + bytes(xor) + bytes(mask)


def build(hicolor):
    palettes = {"vga": VGA, "fixed": fixed_palette()}
    sources, entries, images = {}, b"", []
    offset = 6 + 16 * len(IMAGES)
    for size, bpp, kind in IMAGES:
        if size not in sources:
            path = os.path.join(hicolor, f"{size}x{size}", "apps", "plinvaro.png")
            width, height, rows = read_png(path)
            if (width, height) != (size, size):
                raise ValueError(f"{path}: {width}x{height}, expected {size}x{size}")
            sources[size] = rows
        rows = sources[size]
        palette = own_palette(rows) if kind == "own" else palettes.get(kind)
        image = dib(rows, bpp, palette)
        colours = 16 if bpp == 4 else 0
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(image), offset)
        offset += len(image)
        images.append(image)
    return struct.pack("<HHH", 0, 1, len(IMAGES)) + entries + b"".join(images)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    hicolor = argv[1] if len(argv) > 1 else os.path.join(here, "hicolor")
    target = argv[2] if len(argv) > 2 else os.path.join(here, "..", "windows", "plinvaro.ico")
    try:
        data = build(hicolor)
    except (OSError, ValueError, zlib.error) as error:
        print(f"make-ico: {error}", file=sys.stderr)
        return 1
    with open(target, "wb") as f:
        f.write(data)
    print(f"make-ico: wrote {target} ({len(IMAGES)} images, {len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
