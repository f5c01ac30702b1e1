#!/usr/bin/env python3
"""vantrelle.html: the site in one file that opens from a disk. The page and
its style go in as they are; the program (vantrelle.js and vantrelle.wasm)
and the textures go in gzip-compressed, in base64, for the page to inflate
with the browser's DecompressionStream. The program still reads the BMP
bytes with its own reader.

Usage: single-file.py SITE_DIR OUTPUT"""
import base64
import gzip
import json
import os
import sys


def packed(path):
    with open(path, "rb") as f:
        # mtime 0: the same site gives the same file.
        return base64.b64encode(gzip.compress(f.read(), 9, mtime=0)).decode("ascii")


def text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def main(site, output):
    html = text(os.path.join(site, "index.html"))
    textures_dir = os.path.join(site, "textures")
    packed_files = {
        "program": packed(os.path.join(site, "vantrelle.js")),
        "wasm": packed(os.path.join(site, "vantrelle.wasm")),
        "textures": {name: packed(os.path.join(textures_dir, name))
                     for name in sorted(os.listdir(textures_dir)) if name.endswith(".bmp")},
    }
    stylesheet = '<link rel="stylesheet" href="page.css">'
    page_script = '<script src="page.js"></script>'
    if stylesheet not in html or page_script not in html:
        sys.exit("single-file.py: index.html no longer links page.css and page.js as expected")
    html = html.replace(stylesheet, "<style>\n" + text(os.path.join(site, "page.css")) + "</style>")
    # Nothing inside a script element may end it early.
    page_js = text(os.path.join(site, "page.js")).replace("</script", "<\\/script")
    html = html.replace(page_script, "<script>window.VANTRELLE_PACKED_FILES = " + json.dumps(packed_files)
                        + ";</script>\n<script>\n" + page_js + "</script>")
    partial = output + ".partial"
    with open(partial, "w", encoding="utf-8") as f:
        f.write(html)
    os.replace(partial, output)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
