#!/usr/bin/env python3
# Makes the pictures of the course (data/cours/images/*.png) with the program itself.
#
#   tools/cours/make-images.py [--programme build/optiphane] [--travail /tmp/cours-run]
#
# Each bench picture is described below as a configuration. The configuration is encoded as a
# record file (.P02), rewritten by the program ("--enregistrer") and drawn by it ("--image", a
# 404 x 404 picture of the bench). The program is copied with the content of data/ into a scratch
# folder and run there, never in the build folder. ImageMagick ("convert") then adds the labels,
# puts pictures side by side and reduces them; the numbers they write come from nombres.py. The
# graph of the last chapter is the program's own grapher window (make-graph.sh, under Xvfb).
import argparse, math, os, shutil, struct, subprocess, sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import catalogue  # noqa: E402
import nombres  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "cours", "images")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# ---------------------------------------------------------------------------------------------
# Record files: 128-byte records, a 16-bit little-endian length then the text in Windows-1252,
# zero filler; the last record stops after its text.

def encode(records):
    out = b""
    for k, text in enumerate(records):
        data = text.encode("cp1252")
        if len(data) > 126:
            raise SystemExit("enregistrement trop long : %r" % text)
        rec = struct.pack("<H", len(data)) + data
        if k + 1 < len(records):
            rec += b"\0" * (128 - len(rec))
        out += rec
    return out

# The coefficients of the program's catalogue, as a configuration file holds them.
MATERIALS = {name: tuple(catalogue.file_text(t) for t in ab)
             for name, ab in catalogue.MATERIALS.items()}

def lamp_left(i):
    """Lamp on the left, below the normal: the light goes up to the right, incidence i."""
    return 180.0 - i

def lamp_right(i):
    """Lamp on the right, above the normal: the light goes down to the left, incidence i."""
    return 360.0 - i

def configuration(disc="Verre Crown", outer="Air", source="mono", black=True, mirror=False,
                  partial=False, wavelength=589, arrows=True, lamp=150.0):
    flag = lambda b: "1" if b else "0"
    lamp_text = ("%.1f" % lamp).rstrip("0").rstrip(".")
    r = ["OPTIPHANE", disc, outer, flag(source == "mono"), flag(source == "blanche"),
         flag(black), flag(not black), flag(source == "5"), flag(not mirror), flag(mirror),
         flag(partial), " %d" % wavelength, " " + flag(arrows), " " + lamp_text,
         MATERIALS[outer][0], MATERIALS[outer][1], MATERIALS[disc][0], MATERIALS[disc][1]]
    cells = [["C1", "C2", "C3", "C4", "C5"]] + [[""] * 5 for _ in range(10)]
    r.append(" %d" % len(cells))
    for row in cells:
        r += row
    r += ["", "", "", "", ""]
    r.append("########0.000")
    return r

# Bench pictures: name -> configuration.
BENCH = {
    "propagation": configuration(disc="Air", lamp=lamp_left(30)),
    "mono-450": configuration(disc="Air", lamp=lamp_left(30), wavelength=450),
    "mono-530": configuration(disc="Air", lamp=lamp_left(30), wavelength=530),
    "mono-680": configuration(disc="Air", lamp=lamp_left(30), wavelength=680),
    "miroir": configuration(mirror=True, lamp=lamp_left(35)),
    "partielle": configuration(lamp=lamp_left(30), partial=True),
    "refraction-45": configuration(lamp=lamp_left(45)),
    "normale-0": configuration(lamp=lamp_left(0), partial=True),
    "indice-eau": configuration(disc="Eau", lamp=lamp_left(60)),
    "indice-crown": configuration(disc="Verre Crown", lamp=lamp_left(60)),
    "indice-flint": configuration(disc="Verre Flint", lamp=lamp_left(60)),
    "verre-air-30": configuration(lamp=lamp_right(30), partial=True),
    "verre-air-lim": configuration(lamp=lamp_right(nombres.below(nombres.lim("crown"))),
                                   partial=True),
    "verre-air-50": configuration(lamp=lamp_right(50), partial=True),
    "eau-air-lim": configuration(disc="Air", outer="Eau",
                                 lamp=lamp_left(nombres.below(nombres.lim("eau"))), partial=True),
    "blanche-crown": configuration(source="blanche", lamp=lamp_left(60)),
    "blanche-flint": configuration(disc="Verre Flint", source="blanche", lamp=lamp_left(60)),
    "cinq-crown": configuration(source="5", lamp=lamp_left(60)),
    "mesure-40": configuration(lamp=lamp_left(40), partial=True),
}

def run(cmd, **kw):
    p = subprocess.run(cmd, capture_output=True, **kw)
    if p.returncode != 0:
        raise SystemExit("%s : code %d\n%s" % (" ".join(cmd), p.returncode,
                                                p.stderr.decode("utf-8", "replace")))
    return p.stdout

def bench_pictures(programme, work):
    raw = os.path.join(work, "brut")
    os.makedirs(raw, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    pictures = {}
    for name, records in BENCH.items():
        src = os.path.join(raw, name + "-brut.P02")
        conf = os.path.join(raw, name + ".P02")
        png = os.path.join(raw, name + ".png")
        with open(src, "wb") as f:
            f.write(encode(records))
        run([programme, "--enregistrer", conf, src], env=env, cwd=work)
        run([programme, "--image", png, conf], env=env, cwd=work)
        pictures[name] = png
    return pictures

# ---------------------------------------------------------------------------------------------
# Finishing with ImageMagick.

C = 202  # the centre of the bench in its 404 x 404 picture

def convert(*args):
    run(["convert", *[str(a) for a in args]])

def polar(angle, radius):
    """A point of the bench picture: angle in degrees, clockwise from the right (as the screen
    counts them), radius in pixels from the centre."""
    a = math.radians(angle)
    return C + radius * math.cos(a), C + radius * math.sin(a)

def arc(radius, start, end, colour):
    return ["-fill", "none", "-stroke", colour, "-strokewidth", "1.5", "-draw",
            "arc %d,%d %d,%d %g,%g" % (C - radius, C - radius, C + radius, C + radius, start, end)]

def text(x, y, words, colour="white", size=15, bold=False):
    return ["-stroke", "none", "-fill", colour, "-font", FONT_BOLD if bold else FONT,
            "-pointsize", str(size), "-annotate", "+%d+%d" % (x, y), words]

def labelled(src, dst, *items):
    args = [src]
    for item in items:
        args += item
    convert(*args, dst)

def caption(src, dst, words, width=None):
    """The picture (reduced to `width`) with its caption in a white band below."""
    args = [src]
    if width:
        args += ["-resize", "%dx%d" % (width, width)]
    args += ["-background", "white", "-gravity", "south", "-splice", "0x24", "-font", FONT,
             "-pointsize", "14", "-fill", "black", "-annotate", "+0+4", words, "+gravity"]
    convert(*args, dst)

def side_by_side(sources, dst, gap=8):
    args = []
    for k, s in enumerate(sources):
        if k:
            args += ["-size", "%dx1" % gap, "xc:white"]
        args.append(s)
    convert("-background", "white", *args, "-gravity", "center", "+append", "+gravity", dst)

def final(src, name, width=None):
    """Writes data/cours/images/NAME.png (reduced to `width` pixels), without metadata."""
    dst = os.path.join(OUT, name + ".png")
    resize = ["-resize", "%dx%d" % (width, width)] if width else []
    convert(src, *resize, "-depth", "8", "-strip", "-define", "png:compression-level=9", dst)
    return dst

def program_graph(work, dst):
    """The grapher's window of the program for the corrected refraction exercise (make-graph.sh
    drives the program under Xvfb)."""
    run([os.path.join(HERE, "make-graph.sh"), os.path.join(work, "optiphane"),
         os.path.join(work, "exercices", "REFRACTION_C.P02"), dst, work])
    return dst

def finish(p, work):
    os.makedirs(OUT, exist_ok=True)
    tmp = os.path.join(work, "fini")
    os.makedirs(tmp, exist_ok=True)
    t = lambda name: os.path.join(tmp, name + ".png")
    YEL, CY = "#ffff60", "#60ffff"

    # 1. Propagation in a homogeneous medium, and three monochromatic lights.
    labelled(p["propagation"], t("propagation"),
             text(8, 20, "air"), text(222, 320, "demi-disque en air"),
             text(40, 250, "lampe", YEL))
    final(t("propagation"), "ch1-propagation", 340)
    for l in (450, 530, 680):
        # The ray's colour named on the picture: the 450 nm ray is dark on black.
        labelled(p["mono-%d" % l], t("monol-%d" % l),
                 text(150, 34, {450: "rayon bleu-violet", 530: "rayon vert",
                                680: "rayon rouge"}[l], "white", 28))
        caption(t("monol-%d" % l), t("mono-%d" % l), "\u03bb = %d nm" % l, 170)
    side_by_side([t("mono-450"), t("mono-530"), t("mono-680")], t("mono"))
    final(t("mono"), "ch1-monochromatiques")

    # 2. The plane mirror, and the partial reflection on the flat face.
    x, y = polar(162.5, 62)
    x2, y2 = polar(197.5, 62)
    labelled(p["miroir"], t("miroir"),
             arc(45, 145, 180, CY), arc(52, 180, 215, CY),
             text(x - 8, y + 6, "i", CY, 16, True), text(x2 - 10, y2 + 6, "i'", CY, 16, True),
             text(8, 20, "rayon réfléchi"), text(8, 392, "rayon incident"),
             text(214, 300, "miroir"), text(40, 194, "normale"), text(184, 222, "I", "white", 15))
    final(t("miroir"), "ch2-miroir", 340)
    labelled(p["partielle"], t("partielle"),
             text(8, 20, "rayon réfléchi (pâle)"), text(8, 392, "rayon incident"),
             text(250, 20, "rayon réfracté"), text(40, 194, "normale"),
             text(222, 320, "verre Crown"), text(120, 120, "air"))
    final(t("partielle"), "ch2-reflexion-partielle", 340)

    # 3. Refraction from air into crown glass at i = 45 degrees.
    x, y = polar(157.5, 62)
    x2, y2 = polar(346, 76)
    labelled(p["refraction-45"], t("refraction"),
             arc(45, 135, 180, CY), arc(60, 332, 360, CY),
             text(x - 8, y + 6, "i", CY, 16, True), text(x2 - 4, y2 + 6, "r", CY, 16, True),
             text(8, 20, "air (milieu 1)"), text(222, 320, "verre Crown (milieu 2)"),
             text(8, 392, "rayon incident"), text(260, 20, "rayon réfracté"),
             text(40, 194, "normale"), text(182, 222, "I"))
    final(t("refraction"), "ch3-refraction-45", 340)
    caption(p["normale-0"], t("normale"), "i = 0° : le rayon n'est pas dévié", 300)
    final(t("normale"), "ch3-incidence-normale")

    # 4. The same incidence (60 degrees) into water, crown glass and flint glass.
    for m, words in (("eau", "Eau : r = %s°" % nombres.f(nombres.r("air", "eau", 60), 1)),
                     ("crown", "Crown : r = %s°" % nombres.f(nombres.r("air", "crown", 60), 1)),
                     ("flint", "Flint : r = %s°" % nombres.f(nombres.r("air", "flint", 60), 1))):
        caption(p["indice-" + m], t("indice-" + m), words, 170)
    side_by_side([t("indice-eau"), t("indice-crown"), t("indice-flint")], t("indices"))
    final(t("indices"), "ch4-trois-milieux")

    # 5. From crown glass into air: below, at and beyond the critical angle; water into air.
    for m, words in (("30", "i = 30°"),
                     ("lim", "i = %s° (limite)" % nombres.V["lim_crown_below"]),
                     ("50", "i = 50° (totale)")):
        caption(p["verre-air-" + m], t("va-" + m), words, 170)
    side_by_side([t("va-30"), t("va-lim"), t("va-50")], t("totale"))
    final(t("totale"), "ch5-angle-limite")
    caption(p["eau-air-lim"], t("eau-air"),
            "De l'eau vers l'air, i = %s°" % nombres.V["lim_eau_below"], 300)
    final(t("eau-air"), "ch5-eau-air")

    # 6. White light through crown and flint glass; the five radiations.
    caption(p["blanche-flint"], t("blanche-flint"),
            "Lumière blanche, verre Flint, i = 60°", 300)
    final(t("blanche-flint"), "ch6-blanche-flint")
    for m, words in (("blanche-crown", "Crown, blanche"),
                     ("blanche-flint", "Flint, blanche"),
                     ("cinq-crown", "Crown, 5 radiations")):
        # The normal (y = 202) stays in the view, at its bottom, named.
        convert(p[m], "-crop", "134x134+270+72", "+repage", "-resize", "200%",
                *text(6, 250, "normale", "white", 14), t("z-" + m))
        caption(t("z-" + m), t("zc-" + m), words, 170)
    side_by_side([t("zc-blanche-crown"), t("zc-blanche-flint"), t("zc-cinq-crown")],
                 t("eventails"))
    final(t("eventails"), "ch6-eventails")

    # 7. The bench for a measurement, and the graph with its regression line.
    x, y = polar(160, 62)
    x2, y2 = polar(347, 80)
    labelled(p["mesure-40"], t("mesure"),
             arc(45, 140, 180, CY), arc(64, 334.7, 360, CY),
             text(x - 44, y + 8, "i = 40°", CY, 14, True),
             text(x2 - 4, y2 + 6, "r = %s°" % nombres.f(nombres.r("air", "crown", 40), 1), CY, 14,
                  True))
    final(t("mesure"), "ch7-mesure-40", 340)
    final(program_graph(work, t("graphe")), "ch7-graphe")
    total = sum(os.path.getsize(os.path.join(OUT, f)) for f in os.listdir(OUT))
    print("images écrites dans %s (%d octets)" % (OUT, total))

if __name__ == "__main__":
    ap = argparse.ArgumentParser()
    ap.add_argument("--programme", default=os.path.join(ROOT, "build", "optiphane"))
    ap.add_argument("--travail", default="/tmp/cours-run")
    ap.add_argument("--brut", action="store_true", help="seulement les images brutes du banc")
    args = ap.parse_args()
    work = os.path.abspath(args.travail)
    if os.path.commonpath([work, os.path.join(ROOT, "build")]) == os.path.join(ROOT, "build"):
        raise SystemExit("le dossier de travail ne doit pas être dans build/")
    os.makedirs(work, exist_ok=True)
    programme = os.path.join(work, "optiphane")
    shutil.copy2(args.programme, programme)
    for entry in os.listdir(os.path.join(ROOT, "data")):
        if entry == "cours":
            continue
        s = os.path.join(ROOT, "data", entry)
        d = os.path.join(work, entry)
        if os.path.isdir(s):
            shutil.copytree(s, d, dirs_exist_ok=True)
        else:
            shutil.copy2(s, d)
    pictures = bench_pictures(programme, work)
    if args.brut:
        sys.exit(0)
    finish(pictures, work)
