# SPDX-License-Identifier: GPL-3.0-or-later
"""Screenshots as the lesson test compares them: the browsers' (PNG, read
with Debian's python3-pil) and the X server's (XWD, which PIL cannot read)."""
import struct


class Picture:
    """Pixels as (r, g, b) tuples, row by row."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, three per pixel

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def save(self, path):
        """As a binary PPM, for a reader to look at."""
        with open(path, 'wb') as file:
            file.write(b'P6 %d %d 255\n' % (self.width, self.height) + self.rgb)

    def crop(self, left, top, width, height):
        rows = b''.join(self.rgb[3 * ((top + y) * self.width + left):3 * ((top + y) * self.width + left + width)]
                        for y in range(height))
        return Picture(width, height, rows)


def decode_xwd(data):
    """A ZPixmap XWD of a 24-bit screen (0xRRGGBB pixels of 24 or 32 bits, in
    either byte order), as xwd writes one of Xvfb."""
    header = struct.unpack('>25I', data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line, colours = header[7], header[11], header[12], header[19]
    assert bits_per_pixel in (24, 32), f'unexpected XWD format {header}'
    step = bits_per_pixel // 8
    pixels = data[header_size + 12 * colours:]
    red, green, blue = (step - 3, step - 2, step - 1) if byte_order else (2, 1, 0)
    rgb = bytearray()
    for y in range(height):
        row = pixels[y * bytes_per_line:y * bytes_per_line + step * width]
        line = bytearray(3 * width)
        line[0::3], line[1::3], line[2::3] = row[red::step], row[green::step], row[blue::step]
        rgb += line
    return Picture(width, height, bytes(rgb))
