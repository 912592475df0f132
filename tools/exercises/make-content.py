#!/usr/bin/env python3
# Regenerates the content shipped in data/: the getting-started activity (OPTIPHANE.PEM, its text
# and its configuration) and the exercises of data/exercices/ (.E02, statements and corrections
# in RTF, configurations .P02).
#
#   tools/exercises/make-content.py [--programme build/optiphane] [--images DOSSIER]
#
# The texts are written in tools/exercises/textes/*.txt in a small markup (see rtf_from_source);
# the configurations are described below. A text's figure is the program's own picture of its
# configuration ("--image"), with the angles to measure marked on it by ImageMagick ("convert"). Each configuration is encoded here, then read and
# written again by the program itself ("--enregistrer"), so that the files shipped are the
# program's own; its table is read back ("--tableau") and compared with the expected cells, and
# the computed columns are checked with the program's calculator ("--calcul").
import argparse, math, os, re, struct, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TEXTS = os.path.join(HERE, "textes")
sys.path.insert(0, os.path.dirname(HERE))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "cours"))
import catalogue  # noqa: E402
import nombres  # noqa: E402

# ---------------------------------------------------------------------------------------------
# Record files: 128-byte records, a 16-bit little-endian length then the text in Windows-1252,
# zero filler; the last record stops after its text.

def encode(records):
    out = b""
    for k, text in enumerate(records):
        data = text.encode("cp1252")
        if len(data) > 126:
            raise SystemExit("enregistrement trop long (%d octets) : %r" % (len(data), text))
        rec = struct.pack("<H", len(data)) + data
        if k + 1 < len(records):
            rec += b"\0" * (128 - len(rec))
        out += rec
    return out

# ---------------------------------------------------------------------------------------------
# Configurations

# The coefficients of the program's catalogue, as the program writes them into a file.
AIR, EAU, CROWN, FLINT = (tuple(catalogue.saved_text(t) for t in catalogue.MATERIALS[name])
                          for name in ("Air", "Eau", "Verre Crown", "Verre Flint"))
# A column of indices by Cauchy's law, as typed into the calculator.
CAUCHY_CROWN, CAUCHY_FLINT = ("%s + %s / C1 ^ 2" % catalogue.MATERIALS[name]
                              for name in ("Verre Crown", "Verre Flint"))

def configuration(disc="Verre Crown", disc_ab=CROWN, outer="Air", outer_ab=AIR, source="mono",
                  black=True, mirror=False, partial=True, wavelength=589, arrows=True,
                  lamp="135", titles=("C1", "C2", "C3", "C4", "C5"), rows=(), data_rows=10,
                  formulas=("", "", "", "", ""), number_format="########0.000"):
    """The records of a .P02 file. `rows` are the data rows given (texts as the table shows
    them), completed with empty rows up to `data_rows`."""
    flag = lambda b: "1" if b else "0"
    r = ["OPTIPHANE", disc, outer, flag(source == "mono"), flag(source == "blanche"),
         flag(black), flag(not black), flag(source == "5"), flag(not mirror), flag(mirror),
         flag(partial), " %d" % wavelength, " " + flag(arrows), " " + lamp,
         outer_ab[0], outer_ab[1], disc_ab[0], disc_ab[1]]
    cells = [list(titles)] + [list(row) for row in rows]
    cells += [[""] * 5 for _ in range(data_rows - len(rows))]
    r.append(" %d" % len(cells))
    for row in cells:
        assert len(row) == 5
        r += row
    r += list(formulas)
    r.append(number_format)
    return r, cells

def corrected(name, **settings):
    """A correction's configuration: its table is the one computed in nombres.py (the readings
    of the protractor with its line on each ray), in that table's number format."""
    measures = nombres.MEASURES[name]
    return configuration(rows=[tuple(row) for row in measures.rows], data_rows=len(measures.rows),
                         number_format=measures.pattern, **settings)

def lamp_text(incidence, down=False):
    """The lamp's angle for an incidence one tenth of a degree below the critical angle: on the
    left below the normal, or on the right below it (down)."""
    i = math.floor(incidence * 10) / 10
    return ("%.1f" % (i if down else 180 - i)).rstrip("0").rstrip(".")

# The unknown material of INCONNU, as the configuration writes it.
INCONNU = tuple(" %s" % ("%.4f" % v).rstrip("0").rstrip(".") for v in nombres.CAUCHY["inconnu"])

REFRACTION_TITLES = ("i (°)", "r (°)", "sin i", "sin r", "sin i/sin r")
REFRACTION_FORMULAS = ("", "", "sin (C1)", "sin (C2)", "C3 / C4")

CONFIGURATIONS = {
    # The start-up experiment, the lamp at i = 30° and the columns named for a first measure.
    "PRISENMAIN": configuration(lamp="150", titles=("i (°)", "r (°)", "sin i", "sin r", "C5")),

    "exercices/REFLEXION": configuration(
        mirror=True, lamp="150", titles=("i (°)", "i' (°)", "i' - i", "C4", "C5")),
    "exercices/REFLEXION_C": corrected(
        "REFLEXION_C", mirror=True, lamp="140", titles=("i (°)", "i' (°)", "i' - i", "C4", "C5"),
        formulas=("", "", "C2 - C1", "", "")),

    "exercices/REFRACTION": configuration(lamp="170", titles=REFRACTION_TITLES),
    "exercices/REFRACTION_C": corrected(
        "REFRACTION_C", lamp="140", titles=REFRACTION_TITLES, formulas=REFRACTION_FORMULAS),

    # The lamp on the right, below the normal: the light crosses the curved face along a radius
    # and meets the flat face from inside the glass; the refracted ray (in the air) and the
    # reflected one (in the glass) leave above the normal, where the protractor's line goes.
    "exercices/REFLEXTOT": configuration(
        lamp="10", titles=("i (°)", "r (°)", "sin i", "sin r", "sin r/sin i")),
    "exercices/REFLEXTOT_C": corrected(
        "REFLEXTOT_C", lamp=lamp_text(nombres.lim("crown"), down=True),
        titles=("i (°)", "r (°)", "sin i", "sin r", "sin r/sin i"),
        formulas=("", "", "sin (C1)", "sin (C2)", "C4 / C3")),

    # The half-disc is air and the outer medium water: with the lamp on the left the light goes
    # from the water into the air through the flat face.
    "exercices/EAUAIR": configuration(
        disc="Air", disc_ab=AIR, outer="Eau", outer_ab=EAU, lamp="170",
        titles=("i (°)", "r (°)", "sin i", "sin r", "sin r/sin i")),
    "exercices/EAUAIR_C": corrected(
        "EAUAIR_C", disc="Air", disc_ab=AIR, outer="Eau", outer_ab=EAU,
        lamp=lamp_text(nombres.lim("eau")),
        titles=("i (°)", "r (°)", "sin i", "sin r", "sin r/sin i"),
        formulas=("", "", "sin (C1)", "sin (C2)", "C4 / C3")),

    "exercices/DISPERSION": configuration(
        source="blanche", lamp="120", data_rows=5,
        titles=("lambda (nm)", "n Crown", "r Crown (°)", "n Flint", "r Flint (°)")),
    "exercices/DISPERSION_C": corrected(
        "DISPERSION_C", source="5", lamp="120",
        titles=("lambda (nm)", "n Crown", "r Crown (°)", "n Flint", "r Flint (°)"),
        formulas=("", CAUCHY_CROWN, "", CAUCHY_FLINT, "")),

    "exercices/INCONNU": configuration(
        disc="Autre", disc_ab=INCONNU, lamp="170", titles=REFRACTION_TITLES),
    "exercices/INCONNU_C": corrected(
        "INCONNU_C", disc="Autre", disc_ab=INCONNU, lamp="120", titles=REFRACTION_TITLES,
        formulas=REFRACTION_FORMULAS),
}

# ---------------------------------------------------------------------------------------------
# Exercises: file name, difficulty, notions (shown one right after the other), title.

EXERCISES = [
    ("REFLEXION", "1",
     ["Réflexion de la lumière, ", "miroir plan, ", "angles d'incidence et de réflexion, ",
      "rapporteur et tableau"],
     "Les lois de la réflexion (miroir plan)"),
    ("REFRACTION", "2",
     ["Réfraction de la lumière, ", "loi de Snell-Descartes, ", "indice de réfraction, ",
      "droite de régression"],
     "La loi de la réfraction : de l'air au verre Crown"),
    ("REFLEXTOT", "2",
     ["Réfraction du verre vers l'air, ", "réflexion totale, ", "angle limite, ",
      "réflexion partielle"],
     "La réflexion totale : du verre Crown vers l'air, l'angle limite"),
    ("EAUAIR", "2",
     ["Réfraction de l'eau vers l'air, ", "milieu plus réfringent, ", "angle limite, ",
      "réflexion totale"],
     "De l'eau vers l'air : réfraction et réflexion totale"),
    ("DISPERSION", "3",
     ["Lumière blanche et spectre, ", "longueur d'onde, ", "loi de Cauchy, ",
      "dispersion par le verre Crown et le verre Flint"],
     "La dispersion de la lumière blanche : indice et longueur d'onde"),
    ("INCONNU", "3",
     ["Mesure d'un indice de réfraction, ", "loi de Snell-Descartes, ",
      "droite de régression, ", "identification d'un matériau"],
     "Identifier un matériau inconnu par la mesure de son indice"),
]

# ---------------------------------------------------------------------------------------------
# Texts: a small markup, one paragraph per block of lines.
#   = Titre                    the title, centred, bold, blue, 16 pt
#   == Section                 a section heading, bold, 11 pt
#   * texte                    an item of a list
#   1. texte                   a numbered question (the number in bold)
#   > texte                    an indented line (the space left for an answer, a result)
#   ! texte                    a framed note in blue
#   [schéma NOM]               the figure of the configuration exercices/NOM, centred
#   | a | b | c                a row of a table to fill in (consecutive rows make one table, the
#                              first one is the heading, in bold; a cell may be left empty)
#   other lines                body text (10 pt); consecutive body lines make one paragraph
# A line ending with " \" is followed by a line break and the next line continues the paragraph.
# Inline: **gras**, //italique//, _{indice}, ^{exposant}. Characters outside Windows-1252 are
# written as \uN? (λ, ≈, ...).

RTF_HEAD = ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
            "{\\colortbl ;\\red0\\green0\\blue200;}\n\\viewkind4\\uc1\\pard\\f0\\fs20\n")

def typography(text):
    """French typography: a non-breaking space before the high punctuation and inside the
    quotation marks, where the text has an ordinary one; a quoted text of the program keeps its
    own colon ("« Angle mesuré: »"). Double spaces are refused."""
    if "  " in text.replace("\n", " \n"):
        line = next(l for l in text.split("\n") if "  " in l)
        raise SystemExit("double espace : %r" % line)
    text = re.sub(r" ([:;?!»])", "\u00a0\\1", text)
    return text.replace("« ", "«\u00a0")

def rtf_chars(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ch == "\u00a0":
            out.append("\\~")
        elif code < 128:
            out.append(ch)
        else:
            try:
                byte = ch.encode("cp1252")
                out.append("\\'%02x" % byte[0])
            except UnicodeEncodeError:
                out.append("\\u%d?" % (code if code < 32768 else code - 65536))
    return "".join(out)

def rtf_inline(text):
    out, k, bold, italic = [], 0, False, False
    while k < len(text):
        if text.startswith("**", k):
            bold = not bold
            out.append("\\b " if bold else "\\b0 ")
            k += 2
        elif text.startswith("//", k):
            italic = not italic
            out.append("\\i " if italic else "\\i0 ")
            k += 2
        elif text.startswith("_{", k) or text.startswith("^{", k):
            end = text.index("}", k)
            word = "\\sub " if text[k] == "_" else "\\super "
            out.append("{" + word + rtf_chars(text[k + 2:end]) + "}")
            k = end + 1
        elif text.startswith(" \\\n", k):
            out.append("\\line ")
            k += 3
        else:
            j = k
            while j < len(text) and not (text.startswith("**", j) or text.startswith("//", j)
                                         or text.startswith("_{", j) or text.startswith("^{", j)
                                         or text.startswith(" \\\n", j)):
                j += 1
            out.append(rtf_chars(text[k:j]))
            k = j
    if bold or italic:
        raise SystemExit("gras ou italique non refermé : %r" % text)
    return "".join(out)

def blocks(source):
    """The paragraphs of a source: (kind, text)."""
    result, current = [], None
    for line in source.splitlines():
        stripped = line.strip()
        if not stripped:
            current = None
            continue
        kind = None
        if stripped.startswith("[schéma ") and stripped.endswith("]"):
            result.append(["figure", stripped[len("[schéma "):-1].strip()])
            current = None
            continue
        if stripped.startswith("|"):
            result.append(["row", stripped])
            current = None
            continue
        for prefix, name in (("== ", "section"), ("= ", "title"), ("* ", "item"), ("> ", "indent"),
                             ("! ", "note")):
            if stripped.startswith(prefix):
                kind, stripped = name, stripped[len(prefix):]
                break
        else:
            head = stripped.split(" ", 1)[0]
            if head.endswith(".") and head[:-1].isdigit():
                kind = "question"
        if kind is None and current is not None and (
                current[0] == "body" or current[1].endswith(" \\")):
            current[1] += "\n" + stripped if current[1].endswith(" \\") else " " + stripped
            continue
        current = [kind or "body", stripped]
        result.append(current)
    return result

# The figure's shown width (pixels) and the table's width (twips), inside the text area.
FIGURE_PIXELS = 300
TABLE_TWIPS = 5100

def rtf_picture(png, pixels):
    width, height = struct.unpack(">II", png[16:24])
    words = "\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d" % (
        width, height, pixels * 15, pixels * height // width * 15)
    data = png.hex()
    lines = [data[k:k + 128] for k in range(0, len(data), 128)]
    return "{\\pict%s\n%s\n}" % (words, "\n".join(lines))

def rtf_table(rows):
    columns = max(len(row) for row in rows)
    width = TABLE_TWIPS // columns
    border = "".join("\\clbrdr%s\\brdrs\\brdrw10" % side for side in "tlbr")
    definition = "\\trowd\\trgaph70" + "".join(
        "%s\\cellx%d" % (border, width * (k + 1)) for k in range(columns)) + "\n"
    out = []
    for number, row in enumerate(rows):
        cells = row + [""] * (columns - len(row))
        bold = "\\b " if number == 0 else ""
        out.append(definition + "".join(
            "\\pard\\intbl\\qc %s%s%s\\cell\n" % (bold, rtf_inline(cell), "\\b0 " if bold else "")
            for cell in cells) + "\\row\n")
    return "".join(out) + "\\pard\n"

def rtf_from_source(source, figures=None):
    parts = [RTF_HEAD]
    table = []
    for kind, text in blocks(source) + [("end", "")]:
        if kind == "row":
            table.append([cell.strip() for cell in text.strip().strip("|").split("|")])
            continue
        if table:
            parts.append(rtf_table(table))
            table = []
        if kind == "end":
            break
        if kind == "figure":
            if figures is None or text not in figures:
                raise SystemExit("schéma inconnu : " + text)
            parts.append("\\pard\\qc\\sa80 %s\\par\n" % rtf_picture(figures[text], FIGURE_PIXELS))
        elif kind == "title":
            parts.append("\\pard\\qc\\sa240\\cf1\\b\\fs32 %s\\cf0\\b0\\fs20\\par\n" % rtf_inline(text))
        elif kind == "section":
            parts.append("\\pard\\sb200\\sa80\\keepn\\b\\fs22 %s\\b0\\fs20\\par\n" % rtf_inline(text))
        elif kind == "item":
            parts.append("\\pard\\li440\\fi-220\\sa40 \\'95 %s\\par\n" % rtf_inline(text))
        elif kind == "question":
            number, rest = text.split(" ", 1)
            parts.append("\\pard\\li340\\fi-340\\sb60\\sa40 \\b %s\\b0  %s\\par\n"
                         % (number, rtf_inline(rest)))
        elif kind == "indent":
            parts.append("\\pard\\li340\\sa80 %s\\par\n" % rtf_inline(text))
        elif kind == "note":
            parts.append("\\pard\\li220\\ri220\\sb60\\sa100\\cf1 %s\\cf0\\par\n" % rtf_inline(text))
        else:
            parts.append("\\pard\\sa80 %s\\par\n" % rtf_inline(text))
    parts.append("}\n")
    rtf = "".join(parts)
    depth = 0
    for ch_index, ch in enumerate(rtf):
        if ch in "{}" and (ch_index == 0 or rtf[ch_index - 1] != "\\"):
            depth += 1 if ch == "{" else -1
            if depth < 0:
                break
    if depth != 0:
        raise SystemExit("accolades non équilibrées")
    return rtf.encode("ascii")

# ---------------------------------------------------------------------------------------------
# The program: rewriting, reading the table back, checking the computed columns.

def run(programme, *args, stdin=None):
    p = subprocess.run([programme, *args], input=stdin, capture_output=True)
    if p.returncode != 0:
        raise SystemExit("%s %s : code %d\n%s" % (programme, " ".join(args), p.returncode,
                                                    p.stderr.decode("utf-8", "replace")))
    return p.stdout.decode("utf-8")

def value_text(cell):
    # As the column run writes a cell into a formula: the number with a point.
    text = cell.replace(",", ".")
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text or "0"

def check_formulas(programme, name, cells, formulas, pattern):
    entries, expected = [], []
    for row in cells[1:]:
        for col, formula in enumerate(formulas):
            if not formula or not row[col]:
                continue
            entry = formula
            for ref in range(5, 0, -1):
                entry = entry.replace("C%d" % ref, value_text(row[ref - 1]))
            entries.append(entry)
            expected.append(row[col])
    if not entries:
        return
    results = run(programme, "--calcul", "-", stdin="\n".join(entries).encode() + b"\n")
    for entry, text, want in zip(entries, results.splitlines(), expected):
        got = nombres.cell(float(text.strip()), pattern)
        if got != want:
            raise SystemExit("%s : %s donne %s, le tableau porte %s" % (name, entry, text, want))

def write_configuration(programme, out_dir, name, records, cells, images):
    target = os.path.join(out_dir, name + ".P02")
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "brut.P02")
        with open(raw, "wb") as f:
            f.write(encode(records))
        run(programme, "--enregistrer", target, raw)
    table = run(programme, "--tableau", target).rstrip("\n").split("\n")
    want = ["\t".join(row) for row in cells]
    if [line.rstrip("\r") for line in table] != want:
        raise SystemExit("%s : le tableau relu diffère :\n%s" % (name, "\n".join(table)))
    if images:
        os.makedirs(images, exist_ok=True)
        run(programme, "--image", os.path.join(images, os.path.basename(name) + ".png"), target)

# The angles marked on a figure: (the ray's angle on the picture, clockwise from the normal's right
# half, the normal's half it is measured from, the angle's name). The lamp's angle gives the
# incident ray; the other rays follow from the configuration's optics.
def cauchy(ab, wavelength):
    return float(ab[0]) + float(ab[1]) / wavelength ** 2

def figure_angles(name):
    records, _cells = CONFIGURATIONS["exercices/" + name]
    lamp = float(records[13])
    mirror = records[9] == "1"
    i = 180.0 - lamp
    marks = [(lamp, 180.0, "i")]
    if mirror:
        marks.append((180.0 + i, 180.0, "i'"))
    else:
        wavelength = int(records[11])
        outer = cauchy((records[14], records[15]), wavelength)
        disc = cauchy((records[16], records[17]), wavelength)
        r = math.degrees(math.asin(outer * math.sin(math.radians(i)) / disc))
        marks.append((360.0 - r, 360.0, "r"))
    return marks

def make_figure(programme, configuration, name, folder):
    plain = os.path.join(folder, name + "-brut.png")
    marked = os.path.join(folder, name + ".png")
    run(programme, "--image", plain, configuration)
    centre = 201
    font = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
    command = ["convert", plain, "-fill", "none", "-stroke", "#ff5050", "-strokewidth", "3"]
    labels = []
    for number, (ray, normal, label) in enumerate(figure_angles(name)):
        radius = 110 + 30 * number  # arcs side by side stay apart
        start, end = sorted((ray, normal))
        command += ["-draw", "arc %d,%d %d,%d %.1f,%.1f" % (
            centre - radius, centre - radius, centre + radius, centre + radius, start, end)]
        middle = math.radians((start + end) / 2)
        x = centre + (radius + 16) * math.cos(middle) - 6
        y = centre + (radius + 16) * math.sin(middle) + 6
        labels += ["-annotate", "+%d+%d" % (x, y), label]
    command += ["-stroke", "none", "-fill", "#ff5050", "-font", font, "-pointsize", "22"] + labels
    command += ["-strip", "-define", "png:exclude-chunks=date,time", marked]
    subprocess.run(command, check=True)
    with open(marked, "rb") as f:
        return f.read()

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--programme", default=os.path.join(ROOT, "build", "optiphane"))
    ap.add_argument("--sortie", default=os.path.join(ROOT, "data"))
    ap.add_argument("--images", help="dossier où écrire le schéma de chaque configuration")
    args = ap.parse_args()
    out = args.sortie
    if not os.access(args.programme, os.X_OK):
        raise SystemExit("programme introuvable : %s (construire d'abord Optiphane, ou donner "
                         "--programme)" % args.programme)

    for name, (records, cells) in sorted(CONFIGURATIONS.items()):
        check_formulas(args.programme, name, cells, records[-6:-1], records[-1])
        write_configuration(args.programme, out, name, records, cells, args.images)

    texts = sorted(f[:-4] for f in os.listdir(TEXTS) if f.endswith(".txt"))
    with tempfile.TemporaryDirectory() as pictures:
        for name in texts:
            with open(os.path.join(TEXTS, name + ".txt"), encoding="utf-8") as f:
                source = typography(nombres.fill(f.read(), name + ".txt"))
            figures = {}
            for kind, text in blocks(source):
                if kind == "figure" and text not in figures:
                    figures[text] = make_figure(
                        args.programme, os.path.join(out, "exercices", text + ".P02"), text,
                        pictures)
            rtf = rtf_from_source(source, figures)
            folder = out if name == "PRISENMAIN" else os.path.join(out, "exercices")
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, name + ".RTF"), "wb") as f:
                f.write(rtf)

    with open(os.path.join(out, "OPTIPHANE.PEM"), "wb") as f:
        f.write(encode(["PRISENMAIN.RTF", "PRISENMAIN.P02"]))
    for name, difficulty, notions, title in EXERCISES:
        for needed in (name + ".txt", name + "_C.txt"):
            if not os.path.exists(os.path.join(TEXTS, needed)):
                raise SystemExit("texte manquant : " + needed)
        notions = (notions + [""] * 4)[:4]
        records = [name + ".RTF", name + ".P02", name + "_C.RTF", name + "_C.P02", difficulty, ""]
        records += notions + [title]
        with open(os.path.join(out, "exercices", name + ".E02"), "wb") as f:
            f.write(encode(records))
    print("contenu écrit dans", out)

if __name__ == "__main__":
    main()
