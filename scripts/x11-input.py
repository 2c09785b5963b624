#!/usr/bin/env python3
"""A user's mouse and keys on the X display, through the XTest extension of libX11 alone.

  x11-input.py move X Y               moves the pointer to screen point (X, Y)
  x11-input.py drag X1 Y1 X2 Y2 [N]   presses the left button at (X1, Y1), moves there in N steps, releases
  x11-input.py click X Y              a left click
  x11-input.py key COMBO              presses and releases keys such as ctrl+n, ctrl+z, Return
  x11-input.py type TEXT              types the text, character by character
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402


def main(args):
    command = args[0] if args else ""
    numbers = [int(a) for a in args[1:] if a.lstrip("-").isdigit()]
    if command == "move":
        xtest.move(*numbers[:2])
    elif command == "click":
        xtest.click(*numbers[:2])
    elif command == "drag":
        xtest.drag(*numbers[:5])
    elif command == "key":
        xtest.key(args[1])
    elif command == "type":
        xtest.type_text(args[1])
    else:
        sys.exit(__doc__)


main(sys.argv[1:])
