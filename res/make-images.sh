#!/bin/sh
# Draws the About picture and the program icon. The generated files are
# committed, so the build never runs this; run it by hand after a change.
# Needs ImageMagick 6 (convert), the DejaVu Sans Bold font and python3.
set -eu
cd "$(dirname "$0")"

pink='#FF1493'
font=DejaVu-Sans-Bold

# About picture: white ground darkening softly toward the corners, the name
# rising from lower left to upper right. Progressive (SOF2) with 4:2:0
# sampling, as the toolkit's JPEG reader must cope with both.
shade='max(0,(hypot(i-49.5,j-49.5)/70-0.4)/0.6)'
convert -size 100x100 xc:white \
    -fx "1-0.72*pow($shade,2)*(3-2*$shade)" \
    -font "$font" -pointsize 28 -fill "$pink" -gravity center \
    -annotate -45x-45+0+0 'QMEL' \
    -alpha off -type TrueColor -strip \
    -interlace Plane -sampling-factor 2x2,1x1,1x1 -quality 92 \
    about.jpg

# Icon: a white band from the lower-left to the upper-right corner with the
# same lettering; the other two corners stay transparent.
convert -size 48x48 xc:none \
    -fill white -stroke '#8c8c8c' -strokewidth 1 \
    -draw 'polygon -1,21 21,-1 48,-1 48,26 26,48 -1,48' \
    -stroke none -font "$font" -pointsize 14 -fill "$pink" -gravity center \
    -annotate -45x-45+0+0 'QMEL' \
    -strip PNG32:qmel.png

# The Windows icon holds the same pixels as one 24-bit image with a 1-bit AND
# mask. ImageMagick writes 32-bit icons, so the bytes are laid out here.
convert qmel.png -depth 8 rgba:- | python3 -c '
import struct, sys

size = 48
rgba = sys.stdin.buffer.read()
assert len(rgba) == size * size * 4, "unexpected raw size"

def pixel(x, y):
    i = (y * size + x) * 4
    return rgba[i:i + 4]

colour_rows = []
mask_rows = []
for y in reversed(range(size)):  # bitmaps are stored bottom-up
    colour = bytearray()
    bits = 0
    for x in range(size):
        r, g, b, a = pixel(x, y)
        see_through = a < 128
        colour += bytes((0, 0, 0)) if see_through else bytes((b, g, r))
        bits = (bits << 1) | see_through
    colour_rows.append(bytes(colour))  # 144 bytes: already a multiple of 4
    mask_rows.append(bits.to_bytes(size // 8, "big").ljust(8, b"\0"))

pixels = b"".join(colour_rows) + b"".join(mask_rows)
header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0,
                     len(pixels), 0, 0, 0, 0)
image = header + pixels
assert len(image) == 7336
directory = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image),
                    len(directory) + 16)
sys.stdout.buffer.write(directory + entry + image)
' > qmel.ico
