"""The screen's pixels as `xwd -root` writes them."""
import struct
import subprocess

from ui_program import Failure


def xwd_rgb(box):
    """The box's pixels in what `xwd -root` writes (a big-endian header, the colours, then rows of
    true-colour pixels of 24 or 32 bits), r, g, b each."""
    dump = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    (header_size, _, _, _, _, _, _, byte_order, _, _, _, bits_per_pixel, bytes_per_line, _, *masks, _, _,
     colours) = struct.unpack(">20I", dump[:80])
    size = bits_per_pixel // 8
    if size not in (3, 4):
        raise Failure(f"xwd wrote {bits_per_pixel} bits per pixel")
    shifts = [(mask & -mask).bit_length() - 1 for mask in masks]
    data = dump[header_size + colours * 12:]
    x, y, width, height = box
    rgb = bytearray()
    for row in range(y, y + height):
        start = row * bytes_per_line + x * size
        for at in range(start, start + width * size, size):
            pixel = int.from_bytes(data[at:at + size], "little" if byte_order == 0 else "big")
            rgb += bytes((pixel & mask) >> shift for mask, shift in zip(masks, shifts))
    return bytes(rgb)
