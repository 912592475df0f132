#!/usr/bin/env python3
# Writes the course shown by "Voir le cours": data/cours/index.html and one HTML file a chapter,
# from its sources in docs/cours/ (one file a page).
#
#   tools/cours/make-cours.py            (then tools/cours/check-links.py)
#   tools/cours/make-cours.py --check    fails when a written page would differ from data/cours/
#
# A source file starts with its title ("titre: ..."), for a chapter its summary ("résumé: ..."),
# then a line "---" and the page's HTML. Besides plain HTML it holds:
#   {{name}}                         a number computed below (French decimal comma)
#   <figure src="NAME" alt="...">legend</figure>   a picture of images/ with its size
#   <retenir>...</retenir>, <banc>...</banc>, <exemple titre="...">...</exemple>   framed boxes
#   <a-vous><exercice nom="NAME" titre="...">what it practises</exercice>...</a-vous>
# A chapter's contents list is made from its <h2><a name="..."></a>...</h2> headings.
#
# The pages are written for the program's help window (a QTextBrowser, which renders a subset of
# HTML 4 and CSS 2): simple tags, inline styles, tables with border="1" cellpadding="4", images
# with their width and height, relative links only. The pictures come from
# tools/cours/make-images.py; their sizes are read from the PNG files. The coefficients come from
# the program's own catalogue (tools/catalogue.py); the non-breaking spaces of French typography
# are put in when the pages are written.
import math, os, re, struct, sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import catalogue  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "cours")
SOURCES = os.path.join(ROOT, "docs", "cours")

# ---------------------------------------------------------------------------------------------
# Physics: the catalogue (Cauchy's law n = A + B / lambda^2, lambda in nm) and the examples.

CAUCHY = {name: catalogue.cauchy(name) for name in catalogue.MATERIALS}
C_EXACT = 299792458.0

def n(material, wavelength=589.0):
    a, b = CAUCHY[material]
    return a + b / wavelength ** 2

def sin(deg):
    return math.sin(math.radians(deg))

def asin(x):
    return math.degrees(math.asin(x))

def fr(x, digits):
    """x with `digits` decimals and a decimal comma."""
    return ("%.*f" % (digits, x)).replace(".", ",").replace("-", "\u2212")

def fr_text(text):
    """A number of the catalogue as written there, in the French way: 11&nbsp;848,408."""
    whole, _, decimals = text.partition(".")
    groups = []
    while len(whole) > 3:
        whole, groups = whole[:-3], [whole[-3:]] + groups
    return "&nbsp;".join([whole] + groups) + ("," + decimals if decimals else "")

V = {}
for key, mat in (("air", "Air"), ("eau", "Eau"), ("crown", "Verre Crown"),
                 ("flint", "Verre Flint")):
    V["a_" + key] = fr_text(catalogue.MATERIALS[mat][0])
    V["b_" + key] = fr_text(catalogue.MATERIALS[mat][1])
    # The column formula typed into the calculator (a decimal point there).
    V["cauchy_" + key] = "%s + %s / C1 ^ 2" % catalogue.MATERIALS[mat]
    V["n_" + key] = fr(n(mat), 6)
    V["v_" + key] = fr(C_EXACT / n(mat) / 1e8, 3)
    for lam in (400, 500, 600, 700, 800):
        V["n_%s_%d" % (key, lam)] = fr(n(mat, lam), 6)

# Chapter 3: air -> crown glass at 45 degrees.
s45 = n("Air") * sin(45) / n("Verre Crown")
V["sin45"] = fr(sin(45), 6)
V["sin_r45"] = fr(s45, 6)
V["r45"] = fr(asin(s45), 1)
assert V["r45"] == "28,0"
# ... finding n2 from i = 30 and r = 19.4 degrees.
V["sin194"] = fr(sin(19.4), 4)
V["n2_mes"] = fr(n("Air") * sin(30) / sin(19.4), 3)
# ... water -> air at 30 degrees.
s_ea = n("Eau") * sin(30) / n("Air")
V["sin_ea"] = fr(s_ea, 4)
V["r_ea"] = fr(asin(s_ea), 1)

# Chapter 4: speed in crown glass with c = 3.00e8, refraction at 60 degrees.
V["v_crown_ex"] = fr(3.00 / 1.5065, 2)
for key, mat in (("eau", "Eau"), ("crown", "Verre Crown"), ("flint", "Verre Flint")):
    V["r60_" + key] = fr(asin(n("Air") * sin(60) / n(mat)), 1)

# Chapter 5: critical angles.
V["s_lim_crown"] = fr(n("Air") / n("Verre Crown"), 6)
V["lim_crown"] = fr(asin(n("Air") / n("Verre Crown")), 1)
V["s_lim_eau"] = fr(n("Air") / n("Eau"), 6)
V["lim_eau"] = fr(asin(n("Air") / n("Eau")), 1)
V["s_lim_flint"] = fr(n("Air") / n("Verre Flint"), 6)
V["lim_flint"] = fr(asin(n("Air") / n("Verre Flint")), 1)
V["lim_fibre"] = fr(asin(1.46 / 1.48), 1)
V["s_lim_fibre"] = fr(1.46 / 1.48, 4)
V["lim_diamant"] = fr(asin(1 / 2.42), 1)
assert (V["lim_crown"], V["lim_eau"]) == ("41,6", "48,7")

# Chapter 6: crown glass at 400 and 800 nm, deviations at i = 60 degrees.
a_c, b_c = CAUCHY["Verre Crown"]
V["bl400"] = fr(b_c / 400 ** 2, 6)
V["bl800"] = fr(b_c / 800 ** 2, 6)
V["nc400"] = fr(n("Verre Crown", 400), 6)
V["nc800"] = fr(n("Verre Crown", 800), 6)
V["dnc"] = fr(n("Verre Crown", 400) - n("Verre Crown", 800), 4)
V["dnf"] = fr(n("Verre Flint", 400) - n("Verre Flint", 800), 4)
for key, mat in (("c", "Verre Crown"), ("f", "Verre Flint")):
    rs = {}
    for lam in (400, 800):
        r = asin(n("Air", lam) * sin(60) / n(mat, lam))
        rs[lam] = round(r, 1)
        V["r%s%d" % (key, lam)] = fr(r, 1)
        V["D%s%d" % (key, lam)] = fr(60 - round(r, 1), 1)
    V["e" + key] = fr(rs[800] - rs[400], 1)

# Chapter 7: the measurements of the corrected refraction exercise and their regression line.
MES_I = [10, 20, 30, 40, 50, 60, 70, 80]
MES_R = [6.6, 13.1, 19.4, 25.3, 30.6, 35.1, 38.6, 40.8]

def regression(xs, ys):
    k = len(xs)
    mx, my = sum(xs) / k, sum(ys) / k
    sxx = sum((x - mx) ** 2 for x in xs)
    syy = sum((y - my) ** 2 for y in ys)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    return sxy / sxx, my - sxy / sxx * mx, sxy / math.sqrt(sxx * syy)

sin_i = [round(sin(v), 3) for v in MES_I]
sin_r = [round(sin(v), 3) for v in MES_R]
reg_a, reg_b, reg_r = regression(sin_r, sin_i)
V["reg_a"] = fr(reg_a, 3)
V["reg_b"] = fr(abs(reg_b), 3)
V["reg_r"] = fr(reg_r, 6)
# The slope as it is read (three decimals), and the index deduced from it.
reg_n2 = round(reg_a, 3) * n("Air")
V["reg_n2"] = fr(reg_n2, 3)
assert abs(reg_n2 - n("Verre Crown")) / n("Verre Crown") < 0.001
MES_ROWS = "\n".join(
    "<tr><td>%s</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>"
    % (fr(i, 1), fr(r, 1), fr(si, 3), fr(sr, 3), fr(si / sr, 3))
    for i, r, si, sr in zip(MES_I, MES_R, sin_i, sin_r))
# The effect of a reading error of 0.2 degree on the ratio sin i / sin r.
for i, r in ((10, 6.6), (40, 25.3)):
    V["q%d_lo" % i] = fr(sin(i) / sin(r + 0.2), 3)
    V["q%d_hi" % i] = fr(sin(i) / sin(r - 0.2), 3)
    V["q%d_pc" % i] = fr((sin(i) / sin(r - 0.2) - sin(i) / sin(r + 0.2)) / 2
                         / (sin(i) / sin(r)) * 100, 1)

# ---------------------------------------------------------------------------------------------
# Pieces of pages.

def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("pas une image PNG : " + path)
    return struct.unpack(">II", head[16:24])

def figure(name, alt, legend):
    w, h = png_size(os.path.join(OUT, "images", name + ".png"))
    return ('<p align="center"><img src="images/%s.png" width="%d" height="%d" alt="%s"><br>'
            '<span style="font-size: 10pt; color: #404040;"><i>%s</i></span></p>'
            % (name, w, h, alt, legend))

def box(title, body, colour="#eef3fb"):
    """A framed box: "À retenir", "Exemple", "Sur le banc"..."""
    return ('<table border="1" cellpadding="8" cellspacing="0" width="100%%" bgcolor="%s">'
            '<tr><td><p><b>%s</b></p>%s</td></tr></table>' % (colour, title, body))

def retenir(body):
    return box("À retenir", body, "#fff6dc")

def exemple(title, body):
    return box("Exemple résolu : " + title, body, "#eaf6ea")

def banc(body):
    return box("Sur le banc d'Optiphane", body, "#eef3fb")

def exercise(name, title):
    return '<a href="exercice:%s.E02">%s</a>' % (name, title)

OPEN_EXERCISE = ("Pour l'ouvrir depuis le programme : onglet <b>« Exercices »</b> (au-dessus de la "
                 "zone de texte), bouton <b>« Ouvrir un exercice »</b>, puis choisir dans le "
                 "dossier <b>« exercices »</b> l'exercice ")

def a_vous(items):
    """The closing section: [(name, title, what it practises)]."""
    parts = ['<h2><a name="a-vous"></a>À vous</h2>']
    for name, title, what in items:
        parts.append("<p>%s</p><p>&#8594; Exercice %s (clic sur le lien pour l'ouvrir).<br>"
                     "%s « %s ».</p>" % (what, exercise(name, title), OPEN_EXERCISE, title))
    return "\n".join(parts)

# ---------------------------------------------------------------------------------------------
# The sources: a page's title, summary and body, its custom elements expanded.

def read_source(name):
    with open(os.path.join(SOURCES, name), encoding="utf-8") as f:
        text = f.read()
    header, sep, body = text.partition("\n---\n")
    if not sep:
        raise SystemExit("%s : ligne « --- » manquante" % name)
    fields = {}
    for line in header.split("\n"):
        key, sep, value = line.partition(": ")
        if not sep:
            raise SystemExit("%s : en-tête illisible : %r" % (name, line))
        fields[key] = value
    return fields, body.rstrip("\n") + "\n"

BOX = re.compile(r'<(retenir|banc|exemple)(?: titre="([^"]*)")?>'
                 r'((?:(?!<(?:retenir|banc|exemple)[ >]).)*?)</\1>', re.S)

def expand(body, name):
    body = re.sub(r'<figure src="([^"]+)" alt="([^"]*)">(.*?)</figure>',
                  lambda m: figure(m.group(1), m.group(2), m.group(3)), body, flags=re.S)
    def items(m):
        found = re.findall(r'<exercice nom="([^"]+)" titre="([^"]*)">(.*?)</exercice>',
                           m.group(1), re.S)
        return a_vous(found)
    body = re.sub(r"<a-vous>\n(.*?)\n</a-vous>", items, body, flags=re.S)
    # Innermost boxes first: a box may hold another.
    while True:
        body, count = BOX.subn(lambda m: {"retenir": lambda: retenir(m.group(3)),
                                          "banc": lambda: banc(m.group(3)),
                                          "exemple": lambda: exemple(m.group(2), m.group(3))}
                               [m.group(1)](), body)
        if not count:
            break
    left = re.search(r"</?(figure|retenir|banc|exemple|a-vous|exercice)\b", body)
    if left:
        raise SystemExit("%s : élément mal formé : %s" % (name, left.group(0)))
    return body

CHAPTERS = []
for file in sorted(f for f in os.listdir(SOURCES) if re.match(r"\d\d-.*\.html$", f)):
    fields, body = read_source(file)
    # A blank line between the contents list and the text.
    body = "\n" + expand(body, file)
    sections = [s for s in re.findall(r'<h2><a name="([^"]+)"></a>([^<]*)</h2>', body)
                if s[0] != "a-vous"]
    CHAPTERS.append({"file": file, "title": fields["titre"], "summary": fields["résumé"],
                     "sections": sections, "body": body})

# ---------------------------------------------------------------------------------------------
# Pages.

HEAD = """<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01//EN">
<html lang="fr">
<head>
<meta charset="utf-8">
<title>%s</title>
</head>
<body style="font-size: 11pt;">
"""

def fill(text):
    def value(m):
        key = m.group(1)
        if key == "mes_rows":
            return MES_ROWS
        if key not in V:
            raise SystemExit("valeur inconnue : " + key)
        return V[key]
    return re.sub(r"\{\{(\w+)\}\}", value, text)

def typography(html):
    """Non-breaking spaces before the high punctuation and inside the quotation marks, outside
    the tags only."""
    parts = re.split(r"(<[^>]*>)", html)
    for k in range(0, len(parts), 2):
        t = parts[k]
        t = re.sub(r" ([:;?!»])", "\u00a0\\1", t)
        t = t.replace("« ", "«\u00a0")
        parts[k] = t
    return "".join(parts)

def nav(k):
    prev_file = CHAPTERS[k - 1]["file"] if k > 0 else "index.html"
    next_file = CHAPTERS[k + 1]["file"] if k + 1 < len(CHAPTERS) else "index.html"
    prev_title = CHAPTERS[k - 1]["title"] if k > 0 else "retour au sommaire"
    next_title = CHAPTERS[k + 1]["title"] if k + 1 < len(CHAPTERS) else "retour au sommaire"
    return ('<hr>\n<p align="center"><a href="index.html">Sommaire</a> &nbsp;|&nbsp; '
            '<a href="%s">Chapitre précédent</a> (%s) &nbsp;|&nbsp; '
            '<a href="%s">Chapitre suivant</a> (%s)</p>\n'
            % (prev_file, prev_title, next_file, next_title))

def chapter_page(k):
    ch = CHAPTERS[k]
    out = [HEAD % ("Chapitre %d. %s" % (k + 1, ch["title"]))]
    out.append('<p style="font-size: 10pt; color: #606060;">Optiphane, cours d\'optique '
               '&nbsp;·&nbsp; chapitre %d sur %d &nbsp;·&nbsp; <a href="index.html">Sommaire</a>'
               '</p>\n' % (k + 1, len(CHAPTERS)))
    out.append('<h1 style="color: #1a3f8f;">%d. %s</h1>\n' % (k + 1, ch["title"]))
    out.append("<p><b>Dans ce chapitre :</b></p>\n<ul>\n")
    for anchor, heading in ch["sections"] + [("a-vous", "À vous")]:
        out.append('<li><a href="#%s">%s</a></li>\n' % (anchor, heading))
    out.append("</ul>\n")
    out.append(fill(ch["body"]))
    out.append(nav(k))
    out.append("</body>\n</html>\n")
    return typography("".join(out))

def index_page():
    fields, body = read_source("index.html")
    V["sommaire"] = "\n".join('<li><p><a href="%s"><b>%s</b></a><br>%s</p></li>'
                              % (ch["file"], ch["title"], ch["summary"]) for ch in CHAPTERS)
    return typography(HEAD % fields["titre"] + fill(expand(body, "index.html")) +
                      "</body>\n</html>\n")

def main():
    check = sys.argv[1:] == ["--check"]
    pages = {"index.html": index_page()}
    for k, ch in enumerate(CHAPTERS):
        pages[ch["file"]] = chapter_page(k)
    stale = []
    for name, html in pages.items():
        path = os.path.join(OUT, name)
        if check:
            try:
                with open(path, encoding="utf-8", newline="") as f:
                    same = f.read() == html
            except OSError:
                same = False
            if not same:
                stale.append(name)
            continue
        os.makedirs(OUT, exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(html)
    if check:
        if stale:
            print("pages à refaire (tools/cours/make-cours.py) : " + ", ".join(stale))
            sys.exit(1)
        print("%d pages à jour dans %s" % (len(pages), OUT))
    else:
        print("%d pages écrites dans %s" % (len(pages), OUT))

if __name__ == "__main__":
    main()
