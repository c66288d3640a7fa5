#!/usr/bin/env python3
"""Packs the page's WebAssembly: Emscripten leaves it in the one-file page as a base64 data
address inside its loader. This takes it out, compresses it with gzip (less than half its
size) and puts it, in base64 again, into the page's data block <script id="core">, where the
page unpacks it with the browser's own decompression before it starts the core. The loader
keeps an empty address, so it never looks for the core anywhere else.
    pack_page.py PAGE
The compression is fixed (level 9, no time or name in the header), so the same page gives the
same bytes."""
import base64
import gzip
import re
import sys

PREFIX = "data:application/octet-stream;base64,"
BLOCK = '<script id="core" type="application/gzip"></script>'


def main(path):
    with open(path, encoding="utf-8") as page:
        text = page.read()
    found = re.findall(re.escape(PREFIX) + r"([A-Za-z0-9+/=]+)", text)
    if len(found) != 1 or text.count(BLOCK) != 1:
        sys.exit(f"pack_page.py: {path} has {len(found)} embedded cores and "
                 f"{text.count(BLOCK)} data blocks, not one of each")
    core = base64.b64decode(found[0], validate=True)
    packed = base64.b64encode(gzip.compress(core, compresslevel=9, mtime=0)).decode("ascii")
    text = text.replace(PREFIX + found[0], PREFIX, 1)
    text = text.replace(BLOCK, BLOCK.replace("></", ">" + packed + "</"), 1)
    with open(path, "w", encoding="utf-8") as page:
        page.write(text)


if __name__ == "__main__":
    main(sys.argv[1])
