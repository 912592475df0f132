#!/usr/bin/env python3
# Checks every number of the shipped content against the program's catalogue and the program:
#
#   tools/cours/check-numbers.py [--programme build/optiphane]
#
# 1. In the sources (docs/cours/*.html, tools/exercises/textes/*.txt) a decimal number is either a
#    computed value ({{...}}, nombres.py) or a datum of the problem listed below (a distance, an
#    index the text gives for a material the program does not have, a step of the read-out): a
#    number written by hand that follows from the catalogue is a mistake waiting to happen.
# 2. The shipped texts hold the numbers their sources compute now: the decimal numbers of each
#    exercise's statement and correction, as the program reads them back ("--texte"), and of each
#    page of the course are those of the source filled again, in the same order.
# 3. The corrected configurations hold the computed tables, as the program reads them
#    ("--tableau").
# 4. The precision written everywhere ("± 0,005" for eight readings) lies between what readings
#    good to ± 0,3 degree give with the line through the origin and with the grapher's free line.
import argparse, glob, html, math, os, re, subprocess, sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import nombres  # noqa: E402

NUMBER = re.compile(r"(?<![\d,])\d{1,3}(?:[\u00a0\u202f ]\d{3})*,\d+|(?<![\d,])\d+,\d+")

# The data of the problems: numbers the texts give, not computed from the catalogue.
GIVEN = {
    "01-lumiere.html": {"1,50", "3,84", "3,00", "5,00", "1,28", "5,89"},  # Sun, Moon, c, λ
    "03-refraction.html": {"19,4", "0,5"},  # a measured angle; sin 30°
    "04-indice.html": {"3,00"},  # c
    "05-reflexion-totale.html": {"1,48", "1,46", "2,42", "0,1"},  # a fibre, the diamond, a step
    "07-mesures.html": {"0,1", "0,3", "0,01", "0,00005"},  # read-out step, reading error, scale
    "index.html": {"3,00"},
    "INCONNU.txt": {"1,361", "1,458", "1,473", "1,491", "2,417", "0,3"},  # other materials
    "INCONNU_C.txt": {"1,473", "1,491"},
    "REFLEXION_C.txt": {"10,0", "0,000"},  # the read-out and C2 - C1 at three decimals
    "REFRACTION_C.txt": {"0,1", "0,3"},
    "*": {"0,1"},  # the read-out's step, the lamp's fine step
}


def decimals(text):
    return [re.sub(r"[\u00a0\u202f ]", "", m) for m in NUMBER.findall(text)]


def plain_html(text):
    """The text of a page or a source, with its pictures' alt texts and its boxes' titles."""
    text = re.sub(r"<[^>]*>", lambda m: " %s " % " ".join(
        re.findall(r'\b(?:titre|alt)="([^"]*)"', m.group(0))), text)
    return html.unescape(text)


def sources():
    for path in sorted(glob.glob(os.path.join(ROOT, "docs", "cours", "*.html"))):
        yield path, True
    for path in sorted(glob.glob(os.path.join(ROOT, "tools", "exercises", "textes", "*.txt"))):
        yield path, False


def check_literals(errors):
    for path, is_html in sources():
        name = os.path.basename(path)
        allowed = GIVEN.get(name, set()) | GIVEN["*"]
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            bare = nombres.PLACEHOLDER.sub(" ", line)
            if is_html:
                bare = plain_html(bare)
            for value in decimals(bare):
                if value.replace("\u00a0", "") not in {a.replace("\u00a0", "") for a in allowed}:
                    errors.append("%s:%d : %s écrit à la main (le calculer : {{...}}, ou "
                                  "l'ajouter aux données de check-numbers.py)" % (name, number,
                                                                                   value))


def run(programme, *args):
    p = subprocess.run([programme, *args], capture_output=True)
    if p.returncode != 0:
        raise SystemExit("%s %s : %s" % (programme, " ".join(args),
                                          p.stderr.decode("utf-8", "replace")))
    return p.stdout.decode("utf-8")


def check_texts(programme, errors):
    sys.path.insert(0, os.path.join(ROOT, "tools", "exercises"))
    for path in sorted(glob.glob(os.path.join(ROOT, "tools", "exercises", "textes", "*.txt"))):
        name = os.path.basename(path)[:-4]
        with open(path, encoding="utf-8") as f:
            want = decimals(nombres.fill(f.read(), name + ".txt"))
        shipped = os.path.join(ROOT, "data", name + ".RTF") if name == "PRISENMAIN" else \
            os.path.join(ROOT, "data", "exercices", name + ".RTF")
        got = decimals(run(programme, "--texte", shipped))
        if got != want:
            first = next((k for k, (a, b) in enumerate(zip(got, want)) if a != b),
                         min(len(got), len(want)))
            errors.append("%s : le texte livré porte %s là où la source calcule %s (nombre %d)"
                          % (os.path.relpath(shipped, ROOT), got[first:first + 3],
                             want[first:first + 3], first + 1))
    make_cours = os.path.join(HERE, "make-cours.py")
    for path in sorted(glob.glob(os.path.join(ROOT, "docs", "cours", "*.html"))):
        name = os.path.basename(path)
        with open(os.path.join(ROOT, "data", "cours", name), encoding="utf-8") as f:
            got = decimals(plain_html(f.read()))
        with open(path, encoding="utf-8") as f:
            source = f.read()
        want = decimals(plain_html(nombres.fill(source.partition("\n---\n")[2], name,
                                                {"mes_rows": MES_ROWS, "sommaire": ""})))
        # The page adds its header, contents and navigation, never a decimal number of its own.
        if got != want:
            errors.append("data/cours/%s : ses nombres ne sont plus ceux de sa source (%s)"
                          % (name, make_cours))


MES_ROWS = "\n".join("<tr>%s</tr>" % "".join("<td>%s</td>" % c for c in row)
                     for row in nombres.MEASURES["REFRACTION_C"].rows)


def check_tables(programme, errors):
    for name, measures in sorted(nombres.MEASURES.items()):
        path = os.path.join(ROOT, "data", "exercices", name + ".P02")
        lines = [line.rstrip("\r").split("\t") for line in
                 run(programme, "--tableau", path).rstrip("\n").split("\n")[1:]]
        rows = [row for row in lines if any(row)]
        if rows != measures.rows:
            errors.append("data/exercices/%s.P02 : tableau %s, le calcul donne %s"
                          % (name, rows[:2], measures.rows[:2]))


def check_precision(errors):
    sigma = nombres.READ_ERROR / math.sqrt(3)  # a reading anywhere within ± 0,3 degree
    angles = range(10, 90, 10)
    for medium in ("crown", "inconnu"):
        low = nombres.slope_error("air", medium, angles, sigma, origin=True) * nombres.n("air")
        high = nombres.slope_error("air", medium, angles, sigma) * nombres.n("air")
        if not low <= nombres.PRECISION_STEP <= high:
            errors.append("précision écrite ± %s hors de [%.4f ; %.4f] (%s)"
                          % (nombres.f(nombres.PRECISION_STEP, 3), low, high, medium))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--programme", default=os.path.join(ROOT, "build", "optiphane"))
    args = ap.parse_args()
    errors = []
    check_literals(errors)
    check_precision(errors)
    check_texts(args.programme, errors)
    check_tables(args.programme, errors)
    if errors:
        print("\n".join(errors))
        sys.exit(1)
    print("nombres du contenu vérifiés : %d sources, %d tableaux corrigés"
          % (len(list(sources())), len(nombres.MEASURES)))


if __name__ == "__main__":
    main()
