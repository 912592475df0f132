#!/usr/bin/env python3
"""Checks the help pages of data/aide/.

    tools/aide/check-links.py [--fix-sizes] [HELP_FOLDER]

Every link and every picture must resolve to a file of the help folder (the course's contents
page, ../cours/index.html, is the one link allowed outside it, even while it is missing), every
#anchor must exist in its page, every <img> must carry the width and height of its PNG file,
no page may load anything from outside (no http:, no script). Each page is UTF-8, says
<html lang="fr">, <meta charset="utf-8"> and has a <title>; it ends with the links "Sommaire",
"Page précédente" and "Page suivante", and following "Page suivante" from index.html goes
through every page once and back, "Page précédente" being the way back. The folder stays under
3 MB. No heading level is skipped (h1, then h2, then h3). With --fix-sizes the width and height of the pictures are written into the pages first.

Exit status: 0 when everything is right, 1 otherwise (each problem is printed).
"""

import os
import re
import struct
import sys
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

ALLOWED_OUTSIDE = {"cours/index.html"}  # relative to data/, may be missing
MAX_BYTES = 3 * 1024 * 1024
NAV = ("Sommaire", "Page précédente", "Page suivante")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []        # (href, text, line)
        self.images = []       # (src, width, height, line)
        self.anchors = set()
        self.lang = None
        self.charset = False
        self.title = ""
        self.scripts = 0
        self.text = []
        self._in_title = False
        self._link = None      # [href, text parts, line]

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        line = self.getpos()[0]
        if "id" in a:
            self.anchors.add(a["id"])
        if tag == "html":
            self.lang = a.get("lang")
        elif tag == "meta":
            if (a.get("charset") or "").lower() == "utf-8":
                self.charset = True
        elif tag == "title":
            self._in_title = True
        elif tag in ("script", "object", "embed", "iframe", "link"):
            self.scripts += 1
        elif tag == "a":
            if "name" in a:
                self.anchors.add(a["name"])
            if "href" in a:
                self._link = [a["href"], [], line]
        elif tag == "img":
            self.images.append((a.get("src", ""), a.get("width"), a.get("height"), line))
        for name, value in attrs:
            if name.startswith("on") or (value and "url(" in value.lower()):
                self.scripts += 1

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False
        elif tag == "a" and self._link:
            href, parts, line = self._link
            self.links.append((href, " ".join("".join(parts).split()), line))
            self._link = None

    def handle_data(self, data):
        if self._in_title:
            self.title += data
        if self._link:
            self._link[1].append(data)
        self.text.append(data)


def main(argv):
    fix = "--fix-sizes" in argv
    args = [a for a in argv if a != "--fix-sizes"]
    root = os.path.abspath(args[0] if args else
                           os.path.join(os.path.dirname(__file__), "..", "..", "data", "aide"))
    data = os.path.dirname(root)
    problems = []

    pages = sorted(os.path.relpath(os.path.join(d, f), root)
                   for d, _, files in os.walk(root) for f in files if f.endswith(".html"))
    if "index.html" not in pages:
        problems.append("index.html manque")

    if fix:
        for rel in pages:
            fix_sizes(os.path.join(root, rel))

    parsed = {}
    for rel in pages:
        path = os.path.join(root, rel)
        try:
            with open(path, encoding="utf-8") as f:
                source = f.read()
        except UnicodeDecodeError:
            problems.append(f"{rel}: ce n'est pas de l'UTF-8")
            continue
        page = Page()
        page.feed(source)
        page.close()
        parsed[rel] = page

    used_images = set()
    for rel, page in parsed.items():
        where = os.path.dirname(os.path.join(root, rel))
        if page.lang != "fr":
            problems.append(f'{rel}: <html lang="fr"> manque')
        if not page.charset:
            problems.append(f'{rel}: <meta charset="utf-8"> manque')
        if not page.title.strip():
            problems.append(f"{rel}: <title> manque ou vide")
        if page.scripts:
            problems.append(f"{rel}: script, objet ou ressource externe interdits")
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            levels = [int(level) for level in re.findall(r"<h([1-6])\b", f.read())]
        for before, level in zip([0] + levels, levels):
            if level > before + 1:
                problems.append(f"{rel}: titre h{level} après h{before} (niveau sauté)")

        for href, label, line in page.links:
            split = urlsplit(href)
            if split.scheme or split.netloc:
                problems.append(f"{rel}:{line}: lien externe interdit: {href}")
                continue
            target = os.path.normpath(os.path.join(where, unquote(split.path))) \
                if split.path else os.path.join(root, rel)
            inside = os.path.relpath(target, root)
            outside = os.path.relpath(target, data).replace(os.sep, "/")
            if inside.startswith(".."):
                if outside in ALLOWED_OUTSIDE and not split.fragment:
                    continue
                problems.append(f"{rel}:{line}: lien hors de l'aide: {href}")
                continue
            if not os.path.isfile(target):
                problems.append(f"{rel}:{line}: lien vers un fichier absent: {href}")
                continue
            if split.fragment:
                other = parsed.get(inside)
                if other is None:
                    problems.append(f"{rel}:{line}: ancre dans un fichier qui n'est pas une page: {href}")
                elif split.fragment not in other.anchors:
                    problems.append(f"{rel}:{line}: ancre absente: {href}")

        for src, width, height, line in page.images:
            split = urlsplit(src)
            if split.scheme or split.netloc or not split.path:
                problems.append(f"{rel}:{line}: image externe ou vide: {src}")
                continue
            target = os.path.normpath(os.path.join(where, unquote(split.path)))
            if os.path.relpath(target, root).startswith(".."):
                problems.append(f"{rel}:{line}: image hors de l'aide: {src}")
                continue
            if not os.path.isfile(target):
                problems.append(f"{rel}:{line}: image absente: {src}")
                continue
            used_images.add(target)
            size = png_size(target)
            if size is None:
                problems.append(f"{rel}:{line}: ce n'est pas une image PNG: {src}")
            elif (width, height) != (str(size[0]), str(size[1])):
                problems.append(f"{rel}:{line}: {src} mesure {size[0]}×{size[1]}, "
                                f"la page dit {width}×{height}")

        labels = [label for _, label, _ in page.links]
        tail = labels[-3:]
        if tuple(tail) != NAV:
            problems.append(f"{rel}: les derniers liens doivent être {', '.join(NAV)} "
                            f"(trouvé: {', '.join(tail)})")
        elif [h for h, l, _ in page.links[-3:]][0] != "index.html":
            problems.append(f"{rel}: « Sommaire » doit mener à index.html")

    # The chain of "Page suivante" from the contents page, and "Page précédente" back.
    def nav(rel, label):
        page = parsed.get(rel)
        if not page:
            return None
        for href, text, _ in reversed(page.links):
            if text == label:
                return os.path.normpath(os.path.join(os.path.dirname(rel), urlsplit(href).path))
        return None

    if "index.html" in parsed:
        order, current = ["index.html"], nav("index.html", "Page suivante")
        while current and current != "index.html" and current not in order:
            order.append(current)
            current = nav(current, "Page suivante")
        if current != "index.html":
            problems.append(f"la suite des « Page suivante » ne revient pas au sommaire "
                            f"(arrêt sur {current})")
        missing = sorted(set(parsed) - set(order))
        if missing:
            problems.append("pages absentes de la suite des « Page suivante »: " + ", ".join(missing))
        for before, after in zip(order, order[1:] + order[:1]):
            if nav(after, "Page précédente") != before:
                problems.append(f"{after}: « Page précédente » devrait mener à {before}")

    # Every page reachable from the contents page.
    seen, todo = set(), ["index.html"]
    while todo:
        rel = todo.pop()
        if rel in seen or rel not in parsed:
            continue
        seen.add(rel)
        for href, _, _ in parsed[rel].links:
            split = urlsplit(href)
            if split.scheme or not split.path:
                continue
            todo.append(os.path.relpath(
                os.path.normpath(os.path.join(root, os.path.dirname(rel), split.path)), root))
    for rel in sorted(set(parsed) - seen):
        problems.append(f"{rel}: aucune page n'y mène depuis le sommaire")

    images = {os.path.join(d, f) for d, _, files in os.walk(root) for f in files
              if f.lower().endswith((".png", ".jpg", ".jpeg", ".gif"))}
    for unused in sorted(images - used_images):
        problems.append(f"image inutilisée: {os.path.relpath(unused, root)}")

    total = sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(root) for f in files)
    if total > MAX_BYTES:
        problems.append(f"le dossier de l'aide pèse {total} octets (plus de {MAX_BYTES})")

    for p in problems:
        print(p)
    links = sum(len(p.links) for p in parsed.values())
    pictures = sum(len(p.images) for p in parsed.values())
    print(f"{len(parsed)} pages, {links} liens, {pictures} images ({len(images)} fichiers), "
          f"{total / 1024:.0f} Ko : " + ("tout est bon." if not problems else
                                          f"{len(problems)} problème(s)."))
    return 1 if problems else 0


IMG = re.compile(r"<img\b[^>]*>", re.IGNORECASE | re.DOTALL)
SRC = re.compile(r'\bsrc="([^"]*)"', re.IGNORECASE)
DIM = re.compile(r'\s+(width|height)="[^"]*"', re.IGNORECASE)


def fix_sizes(path):
    """Writes each picture's real width and height into the <img> tags of one page."""
    with open(path, encoding="utf-8") as f:
        source = f.read()

    def repl(m):
        tag = m.group(0)
        src = SRC.search(tag)
        if not src:
            return tag
        target = os.path.join(os.path.dirname(path), unquote(src.group(1)))
        size = png_size(target) if os.path.isfile(target) else None
        if not size:
            return tag
        tag = DIM.sub("", tag)
        return tag.replace(src.group(0), f'{src.group(0)} width="{size[0]}" height="{size[1]}"', 1)

    fixed = IMG.sub(repl, source)
    if fixed != source:
        with open(path, "w", encoding="utf-8") as f:
            f.write(fixed)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
