#!/usr/bin/env python3
"""Draws the About box's logo (174 x 167) and window icon (32 x 32) as GIFs.

The logo shows a framed landscape picture with its two scroll bars, and a
magnifying lens over it that shows the picture enlarged: the kit's two
controls in one image. Uses only the Python standard library; the output is
deterministic, so running it again reproduces the committed files.

Usage: tools/make_logo.py [OUTPUT_DIR]   (default: src/about/resources)
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4

# Palette of the drawing, as RGB tuples.
SKY_TOP = (112, 170, 226)
SKY_LOW = (196, 226, 248)
HILL_FAR = (92, 150, 96)
HILL_NEAR = (52, 118, 64)
SUN = (252, 204, 72)
FRAME = (64, 76, 96)
BAR_FACE = (234, 236, 242)
BAR_TRACK = (196, 202, 212)
BAR_EDGE = (136, 144, 160)
ARROW = (48, 56, 72)
RING = (38, 48, 66)
RING_LIGHT = (148, 164, 190)
HANDLE = (92, 60, 40)
HANDLE_LIGHT = (156, 112, 80)
BACK_TOP = (238, 243, 250)
BACK_LOW = (204, 218, 238)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def landscape(x, y):
    """The framed picture, in its own coordinates (0..110 x 0..100)."""
    color = mix(SKY_TOP, SKY_LOW, y / 70.0)
    if math.hypot(x - 78, y - 26) < 11:
        color = SUN
    far = 58 + 9 * math.sin(x / 13.0 + 0.7)
    near = 72 + 7 * math.sin(x / 9.0 + 2.1)
    if y > far:
        color = mix(HILL_FAR, HILL_NEAR, (y - far) / 40.0)
    if y > near:
        color = mix(HILL_NEAR, (36, 88, 48), (y - near) / 30.0)
    # A small tree on the near hill.
    if abs(x - 30) < 1.6 and 60 < y < 76:
        color = (88, 64, 44)
    if math.hypot(x - 30, y - 58) < 7:
        color = (40, 104, 52)
    return color


def triangle(px, py, cx, cy, size, up_down, pointing):
    """Whether (px, py) lies in a small arrow triangle centred at (cx, cy)."""
    dx, dy = px - cx, py - cy
    if not up_down:
        dx, dy = dy, dx
    if pointing > 0:
        dy = -dy
    return -size * 0.5 <= dy <= size * 0.5 and abs(dx) <= (dy + size * 0.5) * 0.9


def scroll_bar(px, py, x0, y0, x1, y1, vertical, thumb_from, thumb_to):
    """Colour of a scroll bar (arrows at both ends, a thumb), or None outside."""
    if not (x0 <= px < x1 and y0 <= py < y1):
        return None
    along0, along1 = (y0, y1) if vertical else (x0, x1)
    across0, across1 = (x0, x1) if vertical else (y0, y1)
    along = py if vertical else px
    across = px if vertical else py
    thick = across1 - across0
    edge = across - across0 < 1 or across1 - across < 1
    if along < along0 + thick or along >= along1 - thick:
        if edge or along - along0 < 1 or along1 - along < 1:
            return BAR_EDGE
        first = along < along0 + thick
        c_along = along0 + thick / 2 if first else along1 - thick / 2
        c_across = (across0 + across1) / 2
        cx, cy = (c_across, c_along) if vertical else (c_along, c_across)
        if triangle(px, py, cx, cy, thick * 0.42, vertical, -1 if first else 1):
            return ARROW
        return BAR_FACE
    lo = along0 + thick + thumb_from * (along1 - along0 - 2 * thick)
    hi = along0 + thick + thumb_to * (along1 - along0 - 2 * thick)
    if lo <= along < hi and not edge:
        if along - lo < 1 or hi - along < 1 or across - across0 < 2 or across1 - across < 2:
            return BAR_EDGE
        return BAR_FACE
    return BAR_EDGE if edge else BAR_TRACK


def logo_pixel(x, y):
    color = mix(BACK_TOP, BACK_LOW, y / 167.0)
    # The picture box with its frame, scroll bars and corner square.
    left, top, right, bottom = 14, 14, 124, 114
    bar = 12
    if left - 2 <= x < right + bar + 2 and top - 2 <= y < bottom + bar + 2:
        color = FRAME
    if left <= x < right and top <= y < bottom:
        color = landscape(x - left, y - top)
    v = scroll_bar(x, y, right, top, right + bar, bottom, True, 0.25, 0.6)
    h = scroll_bar(x, y, left, bottom, right, bottom + bar, False, 0.35, 0.75)
    if v:
        color = v
    if h:
        color = h
    if right <= x < right + bar and bottom <= y < bottom + bar:
        color = BAR_FACE
    # The lens: the picture enlarged 1.7 times around the lens centre.
    cx, cy, radius, ring = 92.0, 84.0, 33.0, 6.5
    d = math.hypot(x - cx, y - cy)
    if d < radius:
        zoom = 1.7
        lx = cx + (x - cx) / zoom - left
        ly = cy + (y - cy) / zoom - top
        color = mix(landscape(lx, ly), (255, 255, 255), 0.08)
        # A glint in the upper left of the glass.
        g = math.hypot(x - (cx - 13), y - (cy - 14))
        if 16 < g < 18.5 and x < cx - 8 and y < cy - 6:
            color = mix(color, (255, 255, 255), 0.55)
    elif d < radius + ring:
        light = max(0.0, -((x - cx) + (y - cy)) / (d * 1.41))
        color = mix(RING, RING_LIGHT, light * 0.8)
    # The handle, from the ring outwards at 45 degrees, with a rounded end.
    ux, uy = 0.7071, 0.7071
    t = (x - cx) * ux + (y - cy) * uy
    s = -(x - cx) * uy + (y - cy) * ux
    start, end, half = radius + ring - 1, radius + ring + 42, 6.5
    if start <= t <= end and abs(s) <= half:
        color = mix(HANDLE_LIGHT, HANDLE, (s + half) / (2 * half))
    elif t > end and math.hypot(t - end, s) <= half:
        color = HANDLE
    # The collar where the handle meets the ring.
    if start <= t <= start + 6 and abs(s) <= half + 1.5:
        color = RING
    return color


def icon_pixel(x, y):
    """The window icon: the lens and handle alone, over a light tile."""
    color = mix(BACK_TOP, BACK_LOW, y / 32.0)
    cx, cy, radius, ring = 13.0, 13.0, 9.0, 2.6
    d = math.hypot(x - cx, y - cy)
    if d < radius:
        color = mix(SKY_TOP, HILL_NEAR, 1.0 if y > cy + 1 + 2 * math.sin(x / 3.0) else 0.0)
    elif d < radius + ring:
        color = RING
    t = ((x - cx) + (y - cy)) * 0.7071
    s = (-(x - cx) + (y - cy)) * 0.7071
    if radius + ring - 0.5 <= t <= radius + 16 and abs(s) <= 2.4:
        color = HANDLE
    return color


def render(width, height, pixel):
    """Supersampled rendering: a list of rows of RGB tuples (0..255 ints)."""
    n = SUPERSAMPLE
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0]
            for j in range(n):
                for i in range(n):
                    c = pixel(x + (i + 0.5) / n, y + (j + 0.5) / n)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            row.append(tuple(int(round(v / (n * n))) for v in acc))
        rows.append(row)
    return rows


def median_cut(colors, count):
    """A palette of at most `count` colours for a {rgb: occurrences} table."""
    boxes = [list(colors.items())]
    while len(boxes) < count:
        best, best_range, channel = None, -1, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for c in range(3):
                values = [rgb[c] for rgb, _ in box]
                r = max(values) - min(values)
                if r > best_range:
                    best, best_range, channel = index, r, c
        if best is None or best_range == 0:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][channel])
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for k, (_, n) in enumerate(box):
            running += n
            if running >= total / 2:
                cut = max(1, min(len(box) - 1, k + 1))
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(rgb[c] * n for rgb, n in box) / total))
                             for c in range(3)))
    return palette


def quantize(rows):
    colors = {}
    for row in rows:
        for rgb in row:
            colors[rgb] = colors.get(rgb, 0) + 1
    palette = colors and (list(colors) if len(colors) <= 256 else median_cut(colors, 256))
    nearest = {}
    indices = []
    for row in rows:
        for rgb in row:
            if rgb not in nearest:
                nearest[rgb] = min(range(len(palette)),
                                   key=lambda k: sum((palette[k][c] - rgb[c]) ** 2
                                                     for c in range(3)))
            indices.append(nearest[rgb])
    return palette, indices


def lzw(indices, min_code_size):
    """GIF's variable-length LZW, as bytes (before sub-blocking)."""
    clear, stop = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    size = min_code_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table, next_code = {}, stop + 1
    emit(clear)
    prefix = None
    for k in indices:
        if prefix is None:
            prefix = k
            continue
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table, next_code, size = {}, stop + 1, min_code_size + 1
        prefix = k
    if prefix is not None:
        emit(prefix)
    emit(stop)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, width, height, rows):
    palette, indices = quantize(rows)
    depth = max(1, (len(palette) - 1).bit_length())
    table = palette + [(0, 0, 0)] * ((1 << depth) - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | (depth - 1), 0, 0)
    for rgb in table:
        data += bytes(rgb)
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    min_code_size = max(2, depth)
    data.append(min_code_size)
    stream = lzw(indices, min_code_size)
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3B"
    with open(path, "wb") as f:
        f.write(data)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "about", "resources")
    os.makedirs(out, exist_ok=True)
    write_gif(os.path.join(out, "logo.gif"), 174, 167, render(174, 167, logo_pixel))
    write_gif(os.path.join(out, "icon.gif"), 32, 32, render(32, 32, icon_pixel))


if __name__ == "__main__":
    main()
