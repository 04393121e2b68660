#!/usr/bin/env python3
# Draws bramble's program icon (32 x 32, 16 colours) into the file named on
# the command line: a green leaf shape on a dark square.
import struct
import sys

SIZE = 32
palette = [(0, 0, 0), (0, 96, 0), (0, 192, 64), (255, 255, 255)] + [(0, 0, 0)] * 12


def pixel(x, y):
    cx, cy = x - 15.5, y - 15.5
    if abs(cx) + abs(cy) * 1.6 < 14:
        return 2 if abs(cx) > 1 else 3
    return 1


rows = b''
for y in range(SIZE):  # bottom-up rows, two pixels a byte
    row = bytearray()
    for x in range(0, SIZE, 2):
        row.append(pixel(x, y) << 4 | pixel(x + 1, y))
    rows += bytes(row)
mask = bytes(SIZE * 4)  # everything opaque
header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, len(rows) + len(mask), 0, 0, 16, 0)
pal = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette)
image = header + pal + rows + mask
icondir = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
with open(sys.argv[1], 'wb') as f:
    f.write(icondir + image)
