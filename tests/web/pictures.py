# SPDX-License-Identifier: GPL-3.0-or-later
"""Screenshots as the lesson test reads them: PNG (Chromium's) and XWD (the
X server's), decoded without libraries beyond Python's own."""
import struct
import zlib


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


def _add_bytes(a, b, length):
    """a + b byte by byte, modulo 256, on whole rows at once (no carries
    between bytes)."""
    low = int.from_bytes(b'\x7f' * length, 'big')
    x, y = int.from_bytes(a, 'big'), int.from_bytes(b, 'big')
    return (((x & low) + (y & low)) ^ ((x ^ y) & ~low & ((1 << 8 * length) - 1))).to_bytes(length, 'big')


def _rgb_of(line, channels, width):
    if channels == 3:
        return line
    rgb = bytearray(3 * width)
    for i in range(3):
        rgb[i::3] = line[i::4]
    return bytes(rgb)


def decode_png(data):
    """An 8-bit RGB or RGBA PNG, not interlaced, whose rows are filtered with
    "none" or "up", as Chromium writes screenshots optimised for speed."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    position, compressed = 8, b''
    while position < len(data):
        length, kind = struct.unpack('>I4s', data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, 'unexpected PNG format'
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            compressed += body
        position += 12 + length
    raw = zlib.decompress(compressed)
    stride = width * channels
    previous = bytes(stride)
    rgb = bytearray()
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], raw[start + 1:start + 1 + stride]
        assert kind in (0, 2), f'PNG row filter {kind}'
        if kind == 2:
            line = _add_bytes(line, previous, stride)
        previous = line
        rgb += _rgb_of(line, channels, width)
    return Picture(width, height, bytes(rgb))


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
