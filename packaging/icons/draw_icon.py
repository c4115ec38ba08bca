#!/usr/bin/python3
"""Writes allelescope.svg, the scalable form of the window's icon.

The window paints its icon in code (src/app/gui/AppIcon.cpp); this script
draws the same tile, rungs and strands so the menu, the file manager and the
window all show one picture. Rerun it after changing either.

Without SIZE it writes the scalable icon (256 units). With SIZE it writes the
picture for that many pixels, with the lines kept at least as wide as the
window keeps them, so small icons stay as legible as the window's.
Usage: draw_icon.py OUT.svg [SIZE]"""
import math
import sys

S = 256.0
# Narrowest tile, rung and strand lines, in pixels: 0 for the scalable icon.
MIN_WIDTH = {"tile": 0.0, "rung": 0.0, "strand": 0.0}


def width(kind, fraction):
    return max(MIN_WIDTH[kind], S * fraction)


def strand_x(y, phase, top, bottom):
    t = (y - top) / (bottom - top)
    return S * 0.5 + S * 0.26 * math.sin(t * 2 * math.pi + phase)


def rgb(r, g, b):
    return f"#{r:02x}{g:02x}{b:02x}"


def draw():
    out = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{S:g}" height="{S:g}" '
        f'viewBox="0 0 {S:g} {S:g}">',
        f'  <rect x="{S*0.04:.2f}" y="{S*0.04:.2f}" width="{S*0.92:.2f}" height="{S*0.92:.2f}" '
        f'rx="{S*0.16:.2f}" fill="{rgb(255, 224, 192)}" stroke="{rgb(160, 96, 48)}" '
        f'stroke-width="{width("tile", 0.04):.2f}"/>',
    ]
    top, bottom = S * 0.16, S * 0.84
    # Rungs first, so the strands pass over their ends.
    rungs = [rgb(220, 60, 60), rgb(60, 150, 70), rgb(230, 170, 30), rgb(60, 110, 210)]
    for i in range(7):
        y = top + (bottom - top) * (i + 0.5) / 7
        x1, x2 = strand_x(y, 0, top, bottom), strand_x(y, math.pi, top, bottom)
        out.append(f'  <line x1="{x1:.2f}" y1="{y:.2f}" x2="{x2:.2f}" y2="{y:.2f}" '
                   f'stroke="{rungs[i % 4]}" stroke-width="{width("rung", 0.05):.2f}"/>')
    for strand, colour in enumerate([rgb(40, 70, 150), rgb(150, 50, 40)]):
        points = []
        for i in range(49):
            y = top + (bottom - top) * i / 48
            points.append(f"{strand_x(y, strand * math.pi, top, bottom):.2f},{y:.2f}")
        out.append(f'  <polyline points="{" ".join(points)}" fill="none" stroke="{colour}" '
                   f'stroke-width="{width("strand", 0.07):.2f}" stroke-linecap="round" stroke-linejoin="round"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    if len(sys.argv) > 2:
        S = float(sys.argv[2])
        MIN_WIDTH = {"tile": 1.0, "rung": 1.0, "strand": 1.5}
    with open(sys.argv[1], "w", encoding="utf-8") as f:
        f.write(draw())
