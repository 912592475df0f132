#!/usr/bin/env python3
# Writes the course shown by "Voir le cours": data/cours/index.html and one HTML file a chapter,
# from its sources in docs/cours/ (one file a page).
#
#   tools/cours/make-cours.py            (then tools/cours/check-links.py)
#   tools/cours/make-cours.py --check    fails when a written page would differ from data/cours/
#
# A source file starts with its title ("titre: ..."), for a chapter its summary ("résumé: ..."),
# then a line "---" and the page's HTML. Besides plain HTML it holds:
#   {{name}}, {{expression}}        a number computed by nombres.py (French decimal comma)
#   <figure src="NAME" alt="...">legend</figure>   a picture of images/ with its size
#   <retenir>...</retenir>, <banc>...</banc>, <exemple titre="...">...</exemple>   framed boxes
#   <a-vous><exercice nom="NAME" titre="..." niveau="...">what it practises</exercice>...</a-vous>
# A chapter's header also gives its level ("niveau: Cycle 4", "Seconde" or "Pour aller plus loin")
# and its prerequisites ("prérequis: ..."), shown under its title and in the contents.
# A chapter's contents list is made from its <h2><a name="..."></a>...</h2> headings.
#
# The pages are written for the program's help window (a QTextBrowser, which renders a subset of
# HTML 4 and CSS 2): simple tags, inline styles, tables with border="1" cellpadding="4", images
# with their width and height, relative links only. The pictures come from
# tools/cours/make-images.py; their sizes are read from the PNG files. The coefficients come from
# the program's own catalogue (tools/catalogue.py); the non-breaking spaces of French typography
# are put in when the pages are written.
import os, re, struct, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import nombres  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "cours")
SOURCES = os.path.join(ROOT, "docs", "cours")

# ---------------------------------------------------------------------------------------------
# The numbers: computed in nombres.py from the catalogue; the table of chapter 7 is the corrected
# refraction exercise's, as the program shows it in the free format.

V = nombres.V
MES_ROWS = "\n".join("<tr>%s</tr>" % "".join("<td>%s</td>" % c for c in row)
                     for row in nombres.MEASURES["REFRACTION_C"].rows)

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
    """A framed box: "À retenir", "Exemple", "Sur le banc"... Its title is a heading one level
    below the section's (h3), so that a screen reader lists it and no level is skipped; the colour
    only decorates."""
    return ('<table border="1" cellpadding="8" cellspacing="0" width="100%%" bgcolor="%s">'
            '<tr><td><h3 style="font-size: 11pt;">%s</h3>%s</td></tr></table>'
            % (colour, title, body))

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
                 "dossier <b>« exercices »</b> l'exercice")

def a_vous(items):
    """The closing section: [(name, title, what it practises)]."""
    parts = ['<h2><a name="a-vous"></a>À vous</h2>']
    for name, title, level, what in items:
        parts.append("<p>%s</p><p>&#8594; Exercice %s (%s ; clic sur le lien pour l'ouvrir).<br>"
                     "%s « %s ».</p>" % (what, exercise(name, title), level, OPEN_EXERCISE, title))
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
    if name != "index.html":
        for needed in ("titre", "résumé", "niveau", "prérequis"):
            if needed not in fields:
                raise SystemExit("%s : « %s: » manquant" % (name, needed))
    return fields, body.rstrip("\n") + "\n"

BOX = re.compile(r'<(retenir|banc|exemple)(?: titre="([^"]*)")?>'
                 r'((?:(?!<(?:retenir|banc|exemple)[ >]).)*?)</\1>', re.S)

def expand(body, name):
    body = re.sub(r'<figure src="([^"]+)" alt="([^"]*)">(.*?)</figure>',
                  lambda m: figure(m.group(1), m.group(2), m.group(3)), body, flags=re.S)
    def items(m):
        found = re.findall(r'<exercice nom="([^"]+)" titre="([^"]*)" niveau="([^"]+)">'
                           r'(.*?)</exercice>', m.group(1), re.S)
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
                     "level": fields["niveau"], "needs": fields["prérequis"],
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

def fill(text, where="?"):
    return nombres.fill(text, where, {"mes_rows": MES_ROWS, "sommaire": V.get("sommaire", "")})

def typography(html):
    """Non-breaking spaces before the high punctuation and inside the quotation marks, in the text
    and the pictures' alt texts."""
    def spaces(t):
        t = re.sub(r" ([:;?!»])", "\u00a0\\1", t)
        return t.replace("« ", "«\u00a0")
    parts = re.split(r"(<[^>]*>)", html)
    for k in range(0, len(parts)):
        if k % 2 == 0:
            parts[k] = spaces(parts[k])
        else:  # a picture's alt text is read too
            parts[k] = re.sub(r'\balt="([^"]*)"', lambda m: 'alt="%s"' % spaces(m.group(1)),
                              parts[k])
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
    out.append("<p><b>Niveau :</b> %s.<br><b>Prérequis :</b> %s.</p>\n"
               % (ch["level"], ch["needs"]))
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
    V["sommaire"] = "\n".join('<li><p><a href="%s"><b>%s</b></a><br>%s<br><i>Niveau :</i> %s.'
                              '</p></li>' % (ch["file"], ch["title"], ch["summary"], ch["level"])
                              for ch in CHAPTERS)
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
