#!/usr/bin/env python3
"""Renders Mohr's picture of a few stress states and checks it by its pixels.

usage: mohr_picture_test.py COMMAND...

COMMAND writes the SVG of one state; in its words {state} becomes the state's
name, {values} its components (one word each) and {svg} a file to write; with
no {svg} the SVG is read from standard output. For example:
  mohr_picture_test.py build/vergleichsspannung --state {state} --mohr {svg} -- {values}
  mohr_picture_test.py vergleichsspannung --state {state} --mohr {svg} -- {values}

Each picture must be well-formed XML, an SVG of 800 x 600 units with no script
or external reference, draw nothing outside itself, and show each circle where
the principal stresses, computed here on their own, say: within a pixel, on
the scale its own tick labels give.
"""
import math, os, re, struct, subprocess, sys, tempfile, zlib
import xml.etree.ElementTree as ElementTree

STATES = [  # name, state, components
    ("spatial", "spatial", [500, 400, 300, 300, 400, 500]),
    ("plane", "plane", [500, 400, 300]),
    ("hydrostatic", "spatial", [100, 100, 100, 0, 0, 0]),
    ("pure shear", "plate", [0, 0, 100]),
    ("mixed signs at 1e6", "plane", [3e6, -2e6, 1.5e6]),
    ("axisymmetric, all negative", "axisymmetric", [-100, -400, 150, -250]),
]
COLOURS = {"largest": (0x1F, 0x4E, 0x9C), "upper": (0x2A, 0x9D, 0x3A), "lower": (0xE0, 0x8A, 0x1E),
           "face": (0xB0, 0x20, 0x7A), "shear": (0xC0, 0x39, 0x2B)}
BORDER = 40  # the canvas is rendered this much larger on every side
TOLERANCE = 1.0  # pixels
SVG = "{http://www.w3.org/2000/svg}"


def principal_stresses(state, c):
    """The principal stresses, sorted, by textbook formulas of their own."""
    if state != "spatial":  # the hoop stress, or the zero normal to the plane
        centre, radius = (c[0] + c[1]) / 2, math.hypot((c[0] - c[1]) / 2, c[2])
        return sorted([centre - radius, centre + radius, c[3] if state == "axisymmetric" else 0.0])
    x, y, z, u, v, w = c
    mean = (x + y + z) / 3
    dev = [[x - mean, u, w], [u, y - mean, v], [w, v, z - mean]]
    j2 = (sum(dev[i][j] ** 2 for i in range(3) for j in range(3))) / 2
    if j2 == 0:
        return [mean] * 3
    det = (dev[0][0] * (dev[1][1] * dev[2][2] - dev[1][2] ** 2) - dev[0][1] * (dev[0][1] * dev[2][2] - dev[1][2] * dev[0][2])
           + dev[0][2] * (dev[0][1] * dev[1][2] - dev[1][1] * dev[0][2]))
    r = math.sqrt(j2 / 3)
    phi = math.acos(max(-1.0, min(1.0, det / 2 / r ** 3))) / 3
    return sorted(mean + 2 * r * math.cos(phi - 2 * math.pi * k / 3) for k in range(3))


def read_png(data):
    """Returns width, height and rows of RGBA bytes of an 8-bit RGBA PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour == 6 and not interlace, "not an 8-bit RGBA PNG"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 4
    raw, stride, rows, prior = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    low, high = int.from_bytes(b"\x7f" * stride, "big"), int.from_bytes(b"\x80" * stride, "big")
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 2:  # bytewise sums of two whole rows at once, no carry between bytes
            a, b = int.from_bytes(line, "big"), int.from_bytes(prior, "big")
            line = bytearray((((a & low) + (b & low)) ^ ((a ^ b) & high)).to_bytes(stride, "big"))
        elif kind != 0:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b, c = prior[i], prior[i - bpp] if i >= bpp else 0
                if kind == 1: line[i] = (line[i] + a) & 255
                elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
                else:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prior = line
    return width, height, rows


class Picture:
    def __init__(self, svg_text):
        self.root = ElementTree.fromstring(svg_text.encode())
        self.texts = [(t.get("class"), t) for t in self.root.iter(SVG + "text")]
        canvas = svg_text.replace('width="800" height="600" viewBox="0 0 800 600"',
                                  f'width="{800 + 2 * BORDER}" height="{600 + 2 * BORDER}" '
                                  f'viewBox="{-BORDER} {-BORDER} {800 + 2 * BORDER} {600 + 2 * BORDER}"', 1)
        if canvas == svg_text:
            raise AssertionError("the picture is not 800 x 600 units with a viewBox")
        png = subprocess.run(["rsvg-convert"], input=canvas.encode(), capture_output=True, check=True).stdout
        self.width, self.height, self.rows = read_png(png)

    def pixel(self, x, y):  # x, y in units of the picture
        row, i = self.rows[y + BORDER], (x + BORDER) * 4
        return tuple(row[i:i + 4])

    def pixels_of(self, colour):
        """Points of the picture painted in `colour` (anti-aliased edges aside)."""
        if not hasattr(self, "coloured"):  # one pass: every pixel that is not grey
            self.coloured = []
            for y in range(600):
                row = self.rows[y + BORDER]
                for x in range(800):
                    i = (x + BORDER) * 4
                    r, g, b, a = row[i:i + 4]
                    if a > 200 and not r == g == b:
                        self.coloured.append((x, y, r, g, b))
        return [(x, y) for x, y, r, g, b in self.coloured
                if abs(r - colour[0]) + abs(g - colour[1]) + abs(b - colour[2]) < 60]

    def coverage(self, x, y, colour):
        """How much of pixel (x, y) `colour` covers over white; 0 for any other colour."""
        pixel = self.pixel(x, y)
        k = max(range(3), key=lambda i: 255 - colour[i])
        c = min(1.0, max(0.0, (255 - pixel[k]) / (255 - colour[k])))
        mixed = any(abs(255 - c * (255 - colour[i]) - pixel[i]) > 30 for i in range(3))
        return 0.0 if mixed else c

    def edge(self, x, y, step_x, step_y, colour):
        """The first edge of `colour` met walking from pixel (x, y), in units, to a tenth."""
        for _ in range(60):
            c = self.coverage(x, y, colour)
            if c > 0.05:
                return (x + (1 - c if step_x > 0 else c) if step_x else
                        y + (1 - c if step_y > 0 else c))
            x, y = x + step_x, y + step_y
        return float("nan")

    def drawn_outside(self):
        count = 0
        for y, row in enumerate(self.rows):
            alpha = row[3::4]
            inside = alpha[BORDER:BORDER + 800] if BORDER <= y < 600 + BORDER else b""
            count += len(alpha) - len(inside) - (alpha.count(0) - inside.count(0))
        return count

    def axis_row(self):
        """The y of the σ axis: the rows holding the longest grey line, weighted."""
        counts = [0] * 60  # below the title
        for y in range(60, 600):
            row = self.rows[y + BORDER]
            counts.append(sum(1 for x in range(80, 580, 2)
                              if row[(x + BORDER) * 4] == row[(x + BORDER) * 4 + 2] < 160))
        top = max(counts)
        rows = [(y, n) for y, n in enumerate(counts) if n > top / 2]
        return sum((y + 0.5) * n for y, n in rows) / sum(n for y, n in rows)

    def scale(self, kind, coordinate, shift):
        """The linear map from stress to units that the tick labels of `kind` give."""
        ticks = [(float(t.text), float(t.get(coordinate)) - shift) for c, t in self.texts if c == kind]
        if len(ticks) < 2:
            return None
        (s0, p0), (s1, p1) = ticks[0], ticks[-1]
        per = (p1 - p0) / (s1 - s0)
        for s, p in ticks:
            if abs(p0 + (s - s0) * per - p) > 0.5:
                raise AssertionError(f"{kind} label {s:g} stands at {p:.2f}, its neighbours put it at {p0 + (s - s0) * per:.2f}")
        return lambda s: p0 + (s - s0) * per, per


def near(points, x, y, radius):
    return [(px, py) for px, py in points if (px + 0.5 - x) ** 2 + (py + 0.5 - y) ** 2 <= radius ** 2]


def check(picture, state, components):
    failures, deviations = [], [0.0]
    def expect(ok, what):
        if not ok: failures.append(what)
    def within(seen, wanted, what):
        deviations.append(abs(seen - wanted))
        expect(deviations[-1] <= TOLERANCE, f"{what} at {seen}, not {wanted:.2f}")
    lo, mid, hi = principal_stresses(state, components)
    expect(picture.drawn_outside() == 0, f"{picture.drawn_outside()} pixels drawn outside the picture")
    X, per_x = picture.scale("sigma-tick", "x", 0)
    axis_y = picture.axis_row()
    tau = picture.scale("tau-tick", "y", 4)
    if tau is not None:
        Y, per_y = tau
        expect(abs(per_y + per_x) <= 0.005 * per_x, f"σ and τ scales differ: {per_x:.4f} and {-per_y:.4f} per N/mm²")
        within(axis_y, Y(0), "the σ axis (τ = 0 by the τ labels)")
    for t in (t for c, t in picture.texts if c == "sigma-tick"):
        expect(any(min(picture.pixel(math.floor(float(t.get("x")) - 0.5) + dx, int(axis_y) + 2)[:3]) < 200
                   for dx in (0, 1)), f"no tick mark under label {t.text}")
    labelled = [float(n) for c, t in picture.texts if c == "principal" for n in re.findall(r"= (-?[0-9.e+-]+)$", t.text)]
    for s in (lo, mid, hi):
        expect(any(abs(n - s) <= 1e-4 * abs(s) + 1e-9 for n in labelled), f"no label gives the principal stress {s:g}: {labelled}")
    if hi - lo <= 1e-12 * max(abs(lo), abs(hi)):
        dot = near(picture.pixels_of(COLOURS["largest"]), X(lo), axis_y, 4)
        expect(len(dot) >= 30, f"no point at σ = {lo:g} ({len(dot)} pixels)")
        return failures, deviations
    R = (hi - lo) / 2 * per_x
    # Edges are measured in a few places each, and the median taken, so that
    # a label or mark over one of them does not count as the circle moving.
    def median_within(pairs, what):
        errors = sorted(pairs, key=lambda pair: abs(pair[0] - pair[1]))
        within(*errors[len(errors) // 2], what)
    # The outer edge of a 2-unit stroke lies one unit outside the circle.
    centre, start = X((lo + hi) / 2), math.floor(X((lo + hi) / 2))
    for side, name in ((-1, "left end"), (1, "right end")):
        pairs = []
        for row in (math.floor(axis_y) - 6, math.floor(axis_y) - 16, math.floor(axis_y) - 31):
            half_chord = math.sqrt((R + 1) ** 2 - (axis_y - row - 0.5) ** 2)
            found = picture.edge(start + side * (round(R) + 20), row, -side, 0, COLOURS["largest"])
            pairs.append((found, centre + side * half_chord))
        median_within(pairs, f"largest circle's {name}")
    for name, a, b in (("largest", lo, hi), ("upper", mid, hi), ("lower", lo, mid)):
        r = (b - a) / 2 * per_x
        if name != "largest" and (r < 16 or R - r < 3):
            continue  # too small to measure, or hidden under the largest circle
        centre, pairs = X((a + b) / 2), []
        for dx in (-15, -12, -9, 9, 12, 15):  # clear of the marks at the very top
            column = math.floor(centre) + dx
            top = axis_y - math.sqrt((r + 1) ** 2 - (column + 0.5 - centre) ** 2)
            pairs.append((picture.edge(column, math.floor(top) - 8, 0, 1, COLOURS[name]), top))
        median_within(pairs, f"{name} circle's top")
        if name == "largest":
            continue
        points = picture.pixels_of(COLOURS[name])
        top = min(p[1] for p in points)
        row = [p[0] for p in points if p[1] == top]
        within((min(row) + max(row) + 1) / 2, centre, f"{name} circle's centre")
    shear = near(picture.pixels_of(COLOURS["shear"]), X((lo + hi) / 2), axis_y - R, 7)
    expect(len(shear) >= 12, "the largest shear stress is not marked at the top of the largest circle")
    if state in ("plane", "plate"):
        face = picture.pixels_of(COLOURS["face"])
        for s, t in ((components[0], components[2]), (components[1], -components[2])):
            dot = near(face, X(s), axis_y - t * per_x, 3)
            expect(len(dot) >= 20, f"no face point at ({s:g}, {t:g})")
    return failures, deviations


def main():
    command = sys.argv[1:] or sys.exit(__doc__)
    failed = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, state, components in STATES:
            svg_file = os.path.join(folder, "picture.svg")
            words = [w for word in command for w in (["%.17g" % v for v in components] if word == "{values}"
                     else [word.replace("{state}", state).replace("{svg}", svg_file)])]
            run = subprocess.run(words, capture_output=True)
            if "{svg}" in command:
                text = open(svg_file, encoding="utf-8").read() if os.path.exists(svg_file) else ""
            else:
                out = run.stdout.decode("utf-8")
                text = out[out.find("<?xml"):out.rfind("</svg>") + len("</svg>\n")] if "</svg>" in out else ""
            deviations = [0.0]
            problems = [f"exit status {run.returncode}: {run.stderr.decode()}"] if run.returncode else []
            if text:
                with open(svg_file, "w", encoding="utf-8") as f:
                    f.write(text)
                lint = subprocess.run(["xmllint", "--noout", svg_file], capture_output=True, text=True)
                problems += [f"xmllint: {lint.stderr}"] if lint.returncode else []
                problems += ["a script or an external reference"] * bool(re.search(r"<script|href\s*=|url\(|@import", text, re.I))
                problems += ["no SVG namespace"] * ('xmlns="http://www.w3.org/2000/svg"' not in text)
                try:
                    found, deviations = check(Picture(text), state, components)
                    problems += found
                except (AssertionError, ElementTree.ParseError, subprocess.CalledProcessError, ValueError, TypeError) as e:
                    problems.append(f"{type(e).__name__}: {e}")
            else:
                problems.append("no SVG written")
            print(f"{name}: " + (f"ok (circles within {max(deviations):.2f} px)" if not problems else "FAILED\n  " + "\n  ".join(problems)))
            failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
