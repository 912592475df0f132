#!/usr/bin/env python3
# Checks the course of data/cours/ for the program's help window:
#   - every page is UTF-8, has <html lang="fr">, <meta charset="utf-8"> and a <title>;
#   - every link leads to a page of data/cours/ (and to an anchor that exists there), or to an
#     exercise "exercice:NAME.E02" shipped in data/exercices/; no remote resource, no script;
#   - every image exists, is a PNG of the width and height given in the <img> tag;
#   - every chapter ends with the links "Sommaire", "Chapitre précédent", "Chapitre suivant"
#     and has an "À vous" section with a link to an exercise (or the getting-started activity);
#   - no heading level is skipped (h1, then h2, then h3...);
#   - every page of data/cours/ can be reached from index.html; the folder stays under 2 MB.
#
#   tools/cours/check-links.py [DOSSIER]        (default: data/cours)
# Exit code 0 when everything is right, 1 otherwise (the problems are listed).
import html.parser, os, re, struct, sys, urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
LIMIT = 2 * 1024 * 1024


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links, self.images, self.anchors, self.tags = [], [], set(), []
        self.lang = self.charset = None
        self.title = ""
        self.in_title = False
        self.link_texts = []   # (href, text)
        self._link = None
        self.bad = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.tags.append(tag)
        if tag == "html":
            self.lang = a.get("lang")
        elif tag == "meta" and "charset" in a:
            self.charset = a["charset"]
        elif tag == "title":
            self.in_title = True
        elif tag == "a":
            if "name" in a:
                self.anchors.add(a["name"])
            if "href" in a:
                self.links.append((a["href"], self.getpos()[0]))
                self._link = [a["href"], ""]
        elif tag == "img":
            self.images.append((a.get("src"), a.get("width"), a.get("height"), self.getpos()[0]))
        elif tag in ("script", "link", "iframe", "object", "embed", "style"):
            self.bad.append("balise <%s> (ligne %d)" % (tag, self.getpos()[0]))
        if "id" in a:
            self.anchors.add(a["id"])
        for key, value in attrs:
            if key.startswith("on"):
                self.bad.append("attribut %s (ligne %d)" % (key, self.getpos()[0]))

    def handle_endtag(self, tag):
        if tag == "title":
            self.in_title = False
        elif tag == "a" and self._link is not None:
            self.link_texts.append(tuple(self._link))
            self._link = None

    def handle_data(self, data):
        if self.in_title:
            self.title += data
        if self._link is not None:
            self._link[1] += data


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                             os.path.join(ROOT, "data", "cours"))
    exercises = os.path.join(os.path.dirname(folder), "exercices")
    problems = []
    pages = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".html"):
            continue
        path = os.path.join(folder, name)
        raw = open(path, "rb").read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            problems.append("%s : pas en UTF-8 (%s)" % (name, e))
            continue
        p = Page()
        p.feed(text)
        p.close()
        pages[name] = (p, text)
        if p.lang != "fr":
            problems.append("%s : <html lang=\"fr\"> manquant" % name)
        if (p.charset or "").lower() != "utf-8":
            problems.append("%s : <meta charset=\"utf-8\"> manquant" % name)
        if not p.title.strip():
            problems.append("%s : <title> vide ou manquant" % name)
        for b in p.bad:
            problems.append("%s : %s" % (name, b))
        if re.search(r"(?i)(src|href)\s*=\s*\"(https?:|//|ftp:|file:)", text):
            problems.append("%s : ressource externe" % name)

    if "index.html" not in pages:
        problems.append("index.html manquant")

    reached = set()
    used_images = set()
    for name, (p, text) in pages.items():
        for href, line in p.links:
            where = "%s, ligne %d" % (name, line)
            if href.startswith("exercice:"):
                target = href[len("exercice:"):]
                if not re.fullmatch(r"[A-Z0-9_]+\.E02", target):
                    problems.append("%s : lien d'exercice mal formé %r" % (where, href))
                elif not os.path.isfile(os.path.join(exercises, target)):
                    problems.append("%s : exercice introuvable %s" % (where, target))
                continue
            parsed = urllib.parse.urlsplit(href)
            if parsed.scheme or parsed.netloc:
                problems.append("%s : lien non relatif %r" % (where, href))
                continue
            file_part = urllib.parse.unquote(parsed.path) or name
            target = os.path.normpath(os.path.join(folder, file_part))
            if os.path.dirname(target) != folder or not os.path.isfile(target):
                problems.append("%s : page introuvable %r" % (where, href))
                continue
            reached.add(os.path.basename(target))
            if parsed.fragment:
                tp = pages.get(os.path.basename(target))
                if tp is None or parsed.fragment not in tp[0].anchors:
                    problems.append("%s : ancre introuvable %r" % (where, href))
        for src, width, height, line in p.images:
            where = "%s, ligne %d" % (name, line)
            if not src:
                problems.append("%s : <img> sans src" % where)
                continue
            if urllib.parse.urlsplit(src).scheme:
                problems.append("%s : image non relative %r" % (where, src))
                continue
            path = os.path.normpath(os.path.join(folder, urllib.parse.unquote(src)))
            if not path.startswith(folder + os.sep) or not os.path.isfile(path):
                problems.append("%s : image introuvable %r" % (where, src))
                continue
            used_images.add(path)
            size = png_size(path)
            if size is None:
                problems.append("%s : %s n'est pas une image PNG" % (where, src))
            elif not (width and height):
                problems.append("%s : %s sans width et height" % (where, src))
            elif (int(width), int(height)) != size:
                problems.append("%s : %s mesure %dx%d, la balise dit %sx%s"
                                % (where, src, size[0], size[1], width, height))

    for name, (p, text) in pages.items():
        if name == "index.html":
            continue
        tail = p.link_texts[-3:]
        labels = [t.strip() for _, t in tail]
        if labels != ["Sommaire", "Chapitre précédent", "Chapitre suivant"]:
            problems.append("%s : les liens Sommaire / Chapitre précédent / Chapitre suivant "
                            "ne terminent pas la page (%r)" % (name, labels))
        elif tail[0][0] != "index.html":
            problems.append("%s : « Sommaire » ne mène pas à index.html" % name)
        if "a-vous" not in p.anchors:
            problems.append("%s : pas de partie « À vous »" % name)
        else:
            after = text[text.index('name="a-vous"'):]
            # An exercise, or the getting-started activity (a button of its own, no link).
            if "exercice:" not in after and "Prise en main" not in after:
                problems.append("%s : la partie « À vous » ne renvoie à aucun exercice" % name)
        if name not in reached:
            problems.append("%s : aucun lien n'y mène" % name)
    for name, (p, text) in pages.items():
        levels = [int(level) for level in re.findall(r"<h([1-6])\b", text)]
        for before, level in zip([0] + levels, levels):
            if level > before + 1:
                problems.append("%s : titre h%d après h%d (niveau sauté)" % (name, level, before))

    images_dir = os.path.join(folder, "images")
    if os.path.isdir(images_dir):
        for f in sorted(os.listdir(images_dir)):
            if os.path.join(images_dir, f) not in used_images:
                problems.append("images/%s : image inutilisée" % f)
    total = 0
    for base, _, files in os.walk(folder):
        total += sum(os.path.getsize(os.path.join(base, f)) for f in files)
    if total > LIMIT:
        problems.append("le dossier pèse %d octets (plus de %d)" % (total, LIMIT))

    links = sum(len(p.links) for p, _ in pages.values())
    images = sum(len(p.images) for p, _ in pages.values())
    print("%d pages, %d liens, %d images, %d octets" % (len(pages), links, images, total))
    for problem in problems:
        print("  " + problem)
    print("aucun problème" if not problems else "%d problème(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
