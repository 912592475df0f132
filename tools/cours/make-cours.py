#!/usr/bin/env python3
# Writes the course shown by "Voir le cours": data/cours/index.html and one HTML file a chapter.
#
#   tools/cours/make-cours.py            (then tools/cours/check-links.py)
#
# The pages are written for the program's help window (a QTextBrowser, which renders a subset of
# HTML 4 and CSS 2): simple tags, inline styles, tables with border="1" cellpadding="4", images
# with their width and height, relative links only. The pictures come from
# tools/cours/make-images.py; their sizes are read from the PNG files.
#
# The numbers of the worked examples are computed below from the catalogue's Cauchy coefficients
# and written in the French way (decimal comma); in the texts, {{name}} stands for such a number.
import math, os, re, struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "cours")

# ---------------------------------------------------------------------------------------------
# Physics: the catalogue (Cauchy's law n = A + B / lambda^2, lambda in nm) and the examples.

CAUCHY = {"Air": (1.0002747, 0.74), "Eau": (1.3259431, 2221.5764),
          "Verre Crown": (1.472363, 11848.408), "Verre Flint": (1.5392, 31102.07)}
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

V = {}
for key, mat in (("air", "Air"), ("eau", "Eau"), ("crown", "Verre Crown"),
                 ("flint", "Verre Flint")):
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
# The chapters: file, title, sections [(anchor, heading)], body.

CHAPTERS = []

def chapter(file, title, summary, sections, body):
    CHAPTERS.append({"file": file, "title": title, "summary": summary, "sections": sections,
                     "body": body})

# 1 -------------------------------------------------------------------------------------------
chapter("01-lumiere.html", "La lumière et sa propagation",
        "Sources de lumière, propagation rectiligne, rayon lumineux, vitesse de la lumière, "
        "lumière blanche et monochromatique, longueur d'onde.",
        [("sources", "1. Les sources de lumière"), ("rectiligne", "2. La propagation rectiligne"),
         ("rayon", "3. Le rayon lumineux"), ("vitesse", "4. La vitesse de la lumière"),
         ("couleurs", "5. Lumière blanche, lumière monochromatique"),
         ("onde", "6. La longueur d'onde dans le vide")],
        """
<h2><a name="sources"></a>1. Les sources de lumière</h2>
<p>Une <b>source primaire</b> produit elle-même la lumière qu'elle émet : le Soleil, une flamme,
une lampe, une diode électroluminescente (DEL), un laser. Un <b>objet diffusant</b> (ou source
secondaire) renvoie dans toutes les directions une partie de la lumière qu'il reçoit : la Lune,
une feuille de papier, les murs de la classe.</p>
<p>On voit un objet lorsque de la lumière venant de cet objet <b>entre dans l'œil</b>. L'œil
n'émet rien : il reçoit.</p>

<h2><a name="rectiligne"></a>2. La propagation rectiligne</h2>
<p>Un milieu est <b>transparent</b> s'il laisse passer la lumière (air, eau, verre). Il est
<b>homogène</b> s'il a les mêmes propriétés en tous ses points (une eau de même température, un
bloc de verre sans bulle).</p>
""" + retenir("<p>Dans un milieu transparent et homogène, la lumière se propage <b>en ligne "
              "droite</b>.</p>") + """
<p>C'est ce que montrent l'ombre nette d'un objet éclairé par une petite source, ou le trait
rectiligne d'un faisceau laser dans un air un peu poussiéreux. Quand la lumière change de milieu
(de l'air au verre par exemple), sa direction peut changer : c'est la <b>réfraction</b>
(<a href="03-refraction.html">chapitre 3</a>).</p>
""" + banc("<p>Dans le panneau « Le demi-disque », choisir le matériau <b>« Air »</b> : le "
           "demi-disque est alors fait du même air que le milieu extérieur. Le milieu est "
           "homogène, et le rayon traverse tout le banc sans changer de direction.</p>") + """
""" + figure("ch1-propagation", "Un rayon rectiligne à travers un demi-disque d'air",
             "Demi-disque « Air » dans l'air : la lumière se propage en ligne droite.") + """

<h2><a name="rayon"></a>3. Le rayon lumineux</h2>
<p>Pour représenter le trajet de la lumière, on trace un <b>rayon lumineux</b> : une droite
munie d'une flèche qui indique le <b>sens de propagation</b>. Un faisceau de lumière est un
ensemble de rayons. Le rayon lumineux est un <b>modèle</b> : on ne peut pas isoler un rayon unique,
mais ce modèle décrit très bien les trajets de la lumière.</p>
""" + banc("<p>La lampe envoie un rayon vers le centre du cercle, noté I. L'option "
           "<b>« Sens de propagation »</b> (panneau « Options affichage ») dessine les petites "
           "flèches sur les rayons.</p>") + """

<h2><a name="vitesse"></a>4. La vitesse de la lumière</h2>
<p>Dans le vide, la lumière se propage à la vitesse <b>c = 299&nbsp;792&nbsp;458&nbsp;m/s</b>,
que l'on arrondit à</p>
<p align="center"><b>c ≈ 3,00&nbsp;×&nbsp;10<sup>8</sup>&nbsp;m/s</b> (soit
300&nbsp;000&nbsp;km par seconde).</p>
<p>Dans l'air, elle est presque la même. Dans l'eau ou le verre, la lumière est plus lente
(<a href="04-indice.html">chapitre 4</a>).</p>
""" + exemple("la lumière du Soleil", """
<p>Le Soleil est à la distance d = 1,50&nbsp;×&nbsp;10<sup>11</sup>&nbsp;m de la Terre. Combien de
temps sa lumière met-elle pour nous parvenir ?</p>
<p>La vitesse est constante, donc d = c × t, soit t = d / c.</p>
<p>t = 1,50&nbsp;×&nbsp;10<sup>11</sup> / 3,00&nbsp;×&nbsp;10<sup>8</sup>
= 5,00&nbsp;×&nbsp;10<sup>2</sup>&nbsp;s = 500&nbsp;s, soit <b>8&nbsp;min&nbsp;20&nbsp;s</b>.</p>
<p>De même, la lumière renvoyée par la Lune (d = 3,84&nbsp;×&nbsp;10<sup>8</sup>&nbsp;m) met
3,84&nbsp;×&nbsp;10<sup>8</sup> / 3,00&nbsp;×&nbsp;10<sup>8</sup> = <b>1,28&nbsp;s</b>.</p>
""") + """

<h2><a name="couleurs"></a>5. Lumière blanche, lumière monochromatique</h2>
<p>La lumière du Soleil ou d'une lampe à incandescence est une <b>lumière blanche</b>. Un prisme
de verre la décompose en un <b>spectre</b> continu de couleurs, du violet au rouge (c'est l'expérience
de Newton, voir le <a href="06-dispersion.html">chapitre 6</a>) : la lumière blanche est un
mélange de radiations ; on dit qu'elle est <b>polychromatique</b>.</p>
<p>Une lumière formée d'une seule radiation est <b>monochromatique</b> : un prisme ne la décompose
pas. La lumière d'un laser est presque monochromatique ; la lampe à vapeur de sodium émet surtout
une lumière jaune de longueur d'onde 589&nbsp;nm.</p>

<h2><a name="onde"></a>6. La longueur d'onde dans le vide</h2>
<p>Chaque radiation est caractérisée par sa <b>longueur d'onde dans le vide</b>, notée
<b>λ</b> (la lettre grecque « lambda »), exprimée le plus souvent en nanomètres :
1&nbsp;nm = 10<sup>−9</sup>&nbsp;m. L'œil humain perçoit les radiations de λ ≈ 400&nbsp;nm
(violet) à λ ≈ 800&nbsp;nm (rouge) : c'est le <b>domaine visible</b>. En deçà de 400&nbsp;nm
se trouve l'ultraviolet, au-delà de 800&nbsp;nm l'infrarouge.</p>
<table border="1" cellpadding="4" cellspacing="0" align="center">
<tr><th>Couleur perçue</th><th>violet</th><th>bleu</th><th>vert</th><th>jaune</th><th>orangé</th><th>rouge</th></tr>
<tr><td>λ (nm), environ</td><td>400 à 450</td><td>450 à 500</td><td>500 à 570</td><td>570 à 590</td><td>590 à 620</td><td>620 à 800</td></tr>
</table>
<p style="font-size: 10pt;">Les limites entre couleurs ne sont pas nettes : les couleurs passent
progressivement de l'une à l'autre, et l'œil est très peu sensible vers les extrémités du
domaine visible.</p>
""" + exemple("convertir une longueur d'onde", """
<p>λ = 589&nbsp;nm = 589&nbsp;×&nbsp;10<sup>−9</sup>&nbsp;m = <b>5,89&nbsp;×&nbsp;10<sup>−7</sup>&nbsp;m</b>.
Cette radiation est jaune ; c'est la longueur d'onde de référence utilisée pour donner l'indice des
milieux transparents.</p>
""") + """
""" + banc("<p>Le panneau « Source lumineuse » propose une lumière <b>« Monochromatique »</b> "
           "(λ réglable de 400 à 800&nbsp;nm), <b>« 5 radiations »</b> (400, 500, 600, 700 et "
           "800&nbsp;nm) ou la <b>lumière blanche</b>. Le rayon prend la couleur de la radiation "
           "choisie.</p>") + """
""" + figure("ch1-monochromatiques", "Trois lumières monochromatiques",
             "Trois lumières monochromatiques : la couleur du rayon dépend de λ.") + """
<p>Dans tout ce cours, <b>λ désigne la longueur d'onde dans le vide</b> : c'est elle qui repère
une radiation, quel que soit le milieu traversé.</p>
""" + """
<h2><a name="a-vous"></a>À vous</h2>
<p>Pour découvrir le banc (la lampe, les panneaux, le rapporteur, le tableau), commencer par
l'activité <b>« Prise en main »</b> : onglet <b>« Exercices »</b> (au-dessus de la zone de texte),
bouton <b>« Prise en main »</b>.</p>
<p>Puis, sur le banc : choisir « Air » pour le demi-disque et vérifier que le rayon reste
rectiligne quelle que soit la position de la lampe ; changer λ dans le panneau « Source
lumineuse » et observer la couleur du rayon.</p>
<p>La lumière blanche et les longueurs d'onde sont étudiées dans l'exercice
""" + exercise("DISPERSION", "La dispersion de la lumière blanche : indice et longueur d'onde") +
        """ (clic sur le lien pour l'ouvrir). """ + OPEN_EXERCISE +
        """« La dispersion de la lumière blanche : indice et longueur d'onde ».</p>
""")

# 2 -------------------------------------------------------------------------------------------
chapter("02-reflexion.html", "La réflexion et ses lois",
        "Normale, plan d'incidence, angles d'incidence et de réflexion, i' = i, miroir plan, "
        "réflexion partielle sur un dioptre.",
        [("vocabulaire", "1. Le vocabulaire"), ("lois", "2. Les lois de la réflexion"),
         ("miroir", "3. Le miroir plan sur le banc"), ("partielle", "4. La réflexion partielle")],
        """
<p>Quand la lumière rencontre un miroir, ou la surface qui sépare deux milieux transparents, une
partie au moins repart dans le milieu d'où elle vient : c'est la <b>réflexion</b>.</p>

<h2><a name="vocabulaire"></a>1. Le vocabulaire</h2>
<ul>
<li>Le <b>point d'incidence</b> I est le point où le rayon incident rencontre la surface.</li>
<li>La <b>normale</b> est la droite perpendiculaire à la surface au point I.</li>
<li>Le <b>rayon incident</b> arrive en I ; le <b>rayon réfléchi</b> en repart.</li>
<li>L'<b>angle d'incidence</b> i est l'angle entre le rayon incident et la <b>normale</b>.</li>
<li>L'<b>angle de réflexion</b> i' est l'angle entre le rayon réfléchi et la <b>normale</b>.</li>
<li>Le <b>plan d'incidence</b> est le plan qui contient le rayon incident et la normale.</li>
</ul>
<p><b>Attention</b> : les angles se mesurent toujours <b>à partir de la normale</b>, jamais à
partir de la surface. Un rayon qui arrive perpendiculairement à la surface a un angle
d'incidence nul ; un rayon qui rase la surface a un angle d'incidence de 90°.</p>

<h2><a name="lois"></a>2. Les lois de la réflexion</h2>
""" + retenir("""<p><b>Première loi</b> : le rayon réfléchi est dans le plan d'incidence.</p>
<p><b>Deuxième loi</b> : l'angle de réflexion est égal à l'angle d'incidence :</p>
<p align="center" style="font-size: large;"><b>i' = i</b></p>
<p>Le rayon réfléchi est le symétrique du rayon incident par rapport à la normale.</p>""") + """
<p>Sous incidence normale (i = 0°), la lumière repart donc sur elle-même.</p>
""" + exemple("un rayon donné par rapport au miroir", """
<p>Un rayon fait un angle de 20° avec la <b>surface</b> d'un miroir plan. Quel est l'angle entre
le rayon incident et le rayon réfléchi ?</p>
<p>La normale est perpendiculaire au miroir : l'angle d'incidence est i = 90° − 20° = <b>70°</b>
(et non 20°).</p>
<p>D'après la deuxième loi, i' = i = 70°. Les deux rayons sont de part et d'autre de la normale :
l'angle entre eux vaut i + i' = 70° + 70° = <b>140°</b>.</p>
""") + """

<h2><a name="miroir"></a>3. Le miroir plan sur le banc</h2>
""" + banc("""<p>Dans le panneau « Options affichage », choisir <b>« Miroir »</b> : un miroir plan
remplace le demi-disque, sa face réfléchissante tournée vers la gauche. Le banc est vu de dessus :
<b>le plan de la figure est le plan d'incidence</b>. La normale au miroir en I est la droite
horizontale en pointillés, et les graduations du cercle donnent directement l'angle avec la
normale, de 0° à 90°, en haut comme en bas.</p>
<p>Placer la lampe à gauche, lire i sous la lampe et i' là où le rayon réfléchi coupe le cercle :
on lit la même valeur. Le rapporteur (<a href="07-mesures.html#rapporteur">chapitre 7</a>) permet
une mesure au dixième de degré.</p>""") + """
""" + figure("ch2-miroir", "Réflexion sur le miroir plan",
             "Miroir plan, i = 35° : le rayon réfléchi repart avec i' = 35°, "
             "de l'autre côté de la normale.") + """

<h2><a name="partielle"></a>4. La réflexion partielle</h2>
<p>La surface qui sépare deux milieux transparents s'appelle un <b>dioptre</b> (ici, la face plane
du demi-disque entre l'air et le verre). La lumière qui arrive sur un dioptre se partage : la plus
grande partie le traverse en changeant de direction (rayon <b>réfracté</b>,
<a href="03-refraction.html">chapitre 3</a>), une petite partie est réfléchie. C'est la
<b>réflexion partielle</b> ; le rayon réfléchi obéit lui aussi à la loi i' = i.</p>
<p>Entre l'air et le verre, sous incidence normale, environ 4&nbsp;% seulement de la lumière est
réfléchie ; cette part augmente quand la lumière arrive de plus en plus rasante. C'est ce qui
permet de se voir, le soir, dans la vitre d'une fenêtre.</p>
""" + banc("<p>L'option <b>« Réflexion partielle »</b> (panneau « Options affichage ») dessine "
           "le rayon réfléchi par la face plane, plus pâle que le rayon incident, car il ne "
           "transporte qu'une petite partie de la lumière.</p>") + """
""" + figure("ch2-reflexion-partielle", "Réflexion partielle sur la face plane",
             "De l'air au verre Crown, i = 30° : rayon réfracté et rayon réfléchi (pâle).") + """
""" + a_vous([("REFLEXION", "Les lois de la réflexion (miroir plan)",
               "Vérifier les lois de la réflexion sur le miroir plan, de i = 10° à i = 80°, "
               "avec le rapporteur et le tableau.")]))

# 3 -------------------------------------------------------------------------------------------
chapter("03-refraction.html", "La réfraction et la loi de Snell–Descartes",
        "Le changement de direction au passage d'un dioptre, les deux lois, la loi "
        "n<sub>1</sub> sin i<sub>1</sub> = n<sub>2</sub> sin i<sub>2</sub> et un exemple résolu : de l'air au verre Crown sous 45°.",
        [("definition", "1. Qu'est-ce que la réfraction ?"),
         ("lois", "2. Les lois de Snell–Descartes"),
         ("banc", "3. La réfraction sur le banc"),
         ("exemple", "4. Exemple résolu : de l'air au verre Crown"),
         ("methode", "5. Méthode et autres exemples"),
         ("retour", "6. Le principe du retour inverse")],
        """
<h2><a name="definition"></a>1. Qu'est-ce que la réfraction ?</h2>
<p>Quand la lumière passe d'un milieu transparent à un autre (de l'air dans l'eau, de l'air dans le
verre), elle change en général de direction à la traversée de la surface de séparation, le
<b>dioptre</b> : c'est la <b>réfraction</b>. C'est elle qui fait paraître « cassé » un bâton à
moitié plongé dans l'eau, ou moins profond le fond d'une piscine.</p>
<ul>
<li>Le milieu d'où vient la lumière est le <b>milieu 1</b>, d'indice n<sub>1</sub> ; celui où elle
entre est le <b>milieu 2</b>, d'indice n<sub>2</sub> (l'indice est présenté au
<a href="04-indice.html">chapitre 4</a>).</li>
<li>L'<b>angle d'incidence</b> i<sub>1</sub> (souvent noté simplement i) est l'angle entre le
rayon incident et la normale au dioptre en I.</li>
<li>L'<b>angle de réfraction</b> i<sub>2</sub> (souvent noté r) est l'angle entre le
<b>rayon réfracté</b> et la normale.</li>
</ul>

<h2><a name="lois"></a>2. Les lois de Snell–Descartes</h2>
""" + retenir("""<p><b>Première loi</b> : le rayon réfracté est dans le plan d'incidence ; il est de
l'autre côté de la normale par rapport au rayon incident.</p>
<p><b>Deuxième loi</b> : les angles d'incidence et de réfraction sont liés par</p>
<p align="center" style="font-size: large;"><b>n<sub>1</sub> sin i<sub>1</sub> =
n<sub>2</sub> sin i<sub>2</sub></b></p>""") + """
<p>Sous incidence normale (i<sub>1</sub> = 0°), sin i<sub>1</sub> = 0, donc sin i<sub>2</sub> = 0 et
i<sub>2</sub> = 0° : la lumière traverse le dioptre <b>sans être déviée</b>.</p>
<p><b>Attention</b> : ce sont les <b>sinus</b> des angles qui sont proportionnels, pas les angles.
Dans la mesure du <a href="07-mesures.html">chapitre 7</a>, le rapport i / r vaut 10 / 6,6 ≈ 1,52
pour i = 10°, mais 80 / 40,8 ≈ 1,96 pour i = 80°, alors que sin i / sin r reste égal à 1,51 environ.</p>

<h2><a name="banc"></a>3. La réfraction sur le banc</h2>
""" + banc("""<p>La lampe est à gauche : la lumière arrive de l'air (milieu 1) sur la <b>face
plane</b> du demi-disque, au centre I du cercle, et entre dans le demi-disque (milieu 2). La normale
est la droite horizontale en pointillés.</p>
<p>Le rayon réfracté ressort ensuite par la <b>face courbe</b>. Il la rencontre selon un rayon du
cercle, donc perpendiculairement : il n'y est <b>pas dévié</b>. La seule réfraction visible a donc
lieu en I, et les graduations donnent directement i (du côté de la lampe) et r (de l'autre côté).
C'est tout l'intérêt du demi-disque.</p>""") + """
""" + figure("ch3-refraction-45", "Réfraction de l'air au verre Crown sous 45°",
             "De l'air au verre Crown, λ = 589 nm : i = 45°, r = {{r45}}°.") + """
""" + figure("ch3-incidence-normale", "Incidence normale",
             "Sous incidence normale, le rayon traverse sans déviation "
             "(le rayon réfléchi repart sur le rayon incident).") + """

<h2><a name="exemple"></a>4. Exemple résolu : de l'air au verre Crown</h2>
""" + exemple("calculer l'angle de réfraction", """
<p>Un rayon de longueur d'onde λ = 589&nbsp;nm passe de l'air dans le verre Crown avec un angle
d'incidence i<sub>1</sub> = 45°. Calculer l'angle de réfraction i<sub>2</sub>.</p>
<p><b>Données</b> (à 589&nbsp;nm, <a href="04-indice.html#tableau">tableau du chapitre 4</a>) :
n<sub>1</sub> = n<sub>air</sub> = {{n_air}} ; n<sub>2</sub> = n<sub>Crown</sub> = {{n_crown}}.</p>
<p><b>1. La loi</b> : n<sub>1</sub> sin i<sub>1</sub> = n<sub>2</sub> sin i<sub>2</sub>.</p>
<p><b>2. On isole sin i<sub>2</sub></b> : sin i<sub>2</sub> = n<sub>1</sub> sin i<sub>1</sub> / n<sub>2</sub>.</p>
<p><b>3. Application numérique</b> : sin i<sub>2</sub> = {{n_air}} × sin 45° / {{n_crown}}
= {{n_air}} × {{sin45}} / {{n_crown}} = {{sin_r45}}.</p>
<p><b>4. L'angle</b> : la calculatrice étant en degrés, i<sub>2</sub> = arcsin({{sin_r45}})
(touche sin<sup>−1</sup> ou asin), soit <b>i<sub>2</sub> = {{r45}}°</b>.</p>
<p><b>5. Vérification</b> : i<sub>2</sub> &lt; i<sub>1</sub> : le rayon s'est rapproché de la
normale en entrant dans le verre, plus réfringent que l'air. Sur le banc, la lampe placée à
i = 45° donne bien un rayon réfracté qui coupe le cercle à la graduation 28.</p>
""") + """

<h2><a name="methode"></a>5. Méthode et autres exemples</h2>
<ol>
<li>Repérer le milieu 1 (d'où vient la lumière) et le milieu 2, et leurs indices.</li>
<li>Repérer les angles <b>par rapport à la normale</b>.</li>
<li>Écrire n<sub>1</sub> sin i<sub>1</sub> = n<sub>2</sub> sin i<sub>2</sub>, isoler l'inconnue,
puis calculer (calculatrice en <b>degrés</b>).</li>
<li>Contrôler le résultat : l'angle est plus petit dans le milieu le plus réfringent.</li>
</ol>
""" + exemple("retrouver un indice à partir d'une mesure", """
<p>De l'air vers un verre inconnu, on mesure r = 19,4° pour i = 30°. Quel est l'indice
n<sub>2</sub> du verre ?</p>
<p>n<sub>2</sub> = n<sub>1</sub> sin i / sin r = {{n_air}} × 0,5 / sin 19,4° =
{{n_air}} × 0,5 / {{sin194}} ≈ <b>{{n2_mes}}</b> : c'est, aux erreurs de mesure près, l'indice du
verre Crown ({{n_crown}}).</p>
<p>Une seule mesure donne un résultat peu sûr ; le <a href="07-mesures.html">chapitre 7</a>
montre comment en utiliser huit avec la droite de régression.</p>
""") + """
""" + exemple("de l'eau vers l'air", """
<p>La lumière passe de l'eau (n<sub>1</sub> = {{n_eau}}) dans l'air (n<sub>2</sub> = {{n_air}})
avec i<sub>1</sub> = 30°.</p>
<p>sin i<sub>2</sub> = {{n_eau}} × 0,5 / {{n_air}} = {{sin_ea}}, d'où
<b>i<sub>2</sub> = {{r_ea}}°</b> : cette fois le rayon s'éloigne de la normale, car il passe dans un
milieu moins réfringent. Si l'on augmente i<sub>1</sub>, sin i<sub>2</sub> finit par dépasser 1 :
c'est la <a href="05-reflexion-totale.html">réflexion totale</a>.</p>
""") + """

<h2><a name="retour"></a>6. Le principe du retour inverse</h2>
<p>Le trajet suivi par la lumière ne dépend pas du sens de parcours : si la lumière va de A à B
en suivant un certain chemin, elle peut aller de B à A par le même chemin. Ainsi, un rayon qui
arrive du verre sous 28,0° ressort dans l'air sous 45°. Sur le banc, on le vérifie en plaçant la
lampe à droite, du côté de la face courbe.</p>
""" + a_vous([("REFRACTION", "La loi de la réfraction : de l'air au verre Crown",
               "Mesurer r pour i = 10° à 80°, vérifier que sin i / sin r est constant et en "
               "déduire l'indice du verre Crown.")]))

# 4 -------------------------------------------------------------------------------------------
chapter("04-indice.html", "L'indice d'un milieu",
        "n = c / v, n ≥ 1, les indices du catalogue à 589 nm, le milieu le plus réfringent et "
        "le rayon qui se rapproche de la normale.",
        [("definition", "1. Définition"), ("tableau", "2. Les indices du catalogue"),
         ("refringent", "3. Milieu plus réfringent"), ("longueur", "4. L'indice dépend de λ")],
        """
<h2><a name="definition"></a>1. Définition</h2>
<p>Dans un milieu transparent, la lumière se propage à une vitesse v plus petite que sa vitesse c
dans le vide. L'<b>indice de réfraction</b> du milieu est le rapport</p>
""" + retenir("""<p align="center" style="font-size: large;"><b>n = c / v</b></p>
<p>c : vitesse de la lumière dans le vide (m/s) ; v : vitesse dans le milieu (m/s) ; n est
<b>sans unité</b>. Comme v ≤ c, <b>n ≥ 1</b> ; n = 1 exactement dans le vide, et l'indice de l'air
est très proche de 1.</p>""") + """
""" + exemple("la vitesse de la lumière dans le verre", """
<p>L'indice du verre Crown est n = 1,5065 à 589&nbsp;nm. À quelle vitesse la lumière s'y
propage-t-elle ?</p>
<p>n = c / v donc v = c / n = 3,00&nbsp;×&nbsp;10<sup>8</sup> / 1,5065 ≈
<b>{{v_crown_ex}}&nbsp;×&nbsp;10<sup>8</sup>&nbsp;m/s</b> : environ les deux tiers de la vitesse
dans le vide.</p>
""") + """

<h2><a name="tableau"></a>2. Les indices du catalogue</h2>
<p>Le programme propose quatre matériaux (panneaux « Le demi-disque » et « Milieu extérieur »),
plus « Autre ». Pour la radiation jaune λ = 589&nbsp;nm :</p>
<table border="1" cellpadding="4" cellspacing="0" align="center">
<tr><th>Milieu</th><th>Indice n à 589 nm</th><th>Vitesse v = c / n (m/s)</th></tr>
<tr><td>Air</td><td align="center">{{n_air}}</td><td align="center">{{v_air}}&nbsp;×&nbsp;10<sup>8</sup></td></tr>
<tr><td>Eau</td><td align="center">{{n_eau}}</td><td align="center">{{v_eau}}&nbsp;×&nbsp;10<sup>8</sup></td></tr>
<tr><td>Verre Crown</td><td align="center">{{n_crown}}</td><td align="center">{{v_crown}}&nbsp;×&nbsp;10<sup>8</sup></td></tr>
<tr><td>Verre Flint</td><td align="center">{{n_flint}}</td><td align="center">{{v_flint}}&nbsp;×&nbsp;10<sup>8</sup></td></tr>
</table>
<p style="font-size: 10pt;">Les vitesses sont calculées avec c = 299&nbsp;792&nbsp;458&nbsp;m/s.
Le panneau « Le demi-disque » affiche l'indice du matériau (« L'indice est: ») pour la longueur
d'onde de la source ; dans les exercices, on arrondit souvent à n<sub>air</sub> = 1,00,
n<sub>eau</sub> = 1,33, n<sub>Crown</sub> = 1,51 et n<sub>Flint</sub> = 1,63.</p>

<h2><a name="refringent"></a>3. Milieu plus réfringent</h2>
<p>De deux milieux, le <b>plus réfringent</b> est celui qui a le plus grand indice (celui où la
lumière est la plus lente). L'eau est plus réfringente que l'air, le verre Flint plus réfringent
que le verre Crown.</p>
""" + retenir("""<p>D'après n<sub>1</sub> sin i<sub>1</sub> = n<sub>2</sub> sin i<sub>2</sub> :</p>
<ul>
<li>si n<sub>2</sub> &gt; n<sub>1</sub> (vers un milieu plus réfringent), sin i<sub>2</sub> &lt;
sin i<sub>1</sub>, donc i<sub>2</sub> &lt; i<sub>1</sub> : le rayon réfracté <b>se rapproche de la
normale</b> ;</li>
<li>si n<sub>2</sub> &lt; n<sub>1</sub> (vers un milieu moins réfringent), i<sub>2</sub> &gt;
i<sub>1</sub> : il <b>s'éloigne de la normale</b> (et la réflexion totale devient possible,
<a href="05-reflexion-totale.html">chapitre 5</a>).</li>
</ul>
<p>Plus n<sub>2</sub> est grand, plus le rayon réfracté est proche de la normale.</p>""") + """
""" + figure("ch4-trois-milieux", "Même incidence dans trois milieux",
             "Depuis l'air sous i = 60° : dans l'eau, le verre Crown et le verre Flint, "
             "de plus en plus réfringents, le rayon se rapproche de la normale.") + """
<p>Calcul pour i = 60° à 589&nbsp;nm, avec sin r = n<sub>air</sub> sin 60° / n :
r = {{r60_eau}}° dans l'eau, {{r60_crown}}° dans le verre Crown, {{r60_flint}}° dans le verre
Flint.</p>
""" + banc("""<p>L'indice mesuré sur le banc est toujours un <b>indice relatif</b> : la loi de
Snell–Descartes fait intervenir le rapport n<sub>2</sub> / n<sub>1</sub> du demi-disque au milieu
extérieur. Comme n<sub>air</sub> ≈ 1, la mesure dans l'air donne pratiquement l'indice du
demi-disque. Le matériau <b>« Autre »</b> permet de donner soi-même les coefficients A et B d'un
matériau (voir le <a href="06-dispersion.html#cauchy">chapitre 6</a>).</p>""") + """

<h2><a name="longueur"></a>4. L'indice dépend de λ</h2>
<p>L'indice d'un milieu transparent n'est pas tout à fait le même pour toutes les radiations :
pour le verre Crown, il vaut {{n_crown_400}} à 400&nbsp;nm et {{n_crown_800}} à 800&nbsp;nm. C'est
pourquoi on précise la longueur d'onde (589&nbsp;nm ici) quand on donne un indice. Cette
propriété explique la décomposition de la lumière blanche : c'est la <b>dispersion</b>
(<a href="06-dispersion.html">chapitre 6</a>).</p>
""" + a_vous([("INCONNU", "Identifier un matériau inconnu par la mesure de son indice",
               "Mesurer l'indice d'un demi-disque inconnu et le comparer au tableau des indices."),
              ("EAUAIR", "De l'eau vers l'air : réfraction et réflexion totale",
               "Voir le rayon s'éloigner de la normale quand la lumière passe dans un milieu "
               "moins réfringent.")]))

# 5 -------------------------------------------------------------------------------------------
chapter("05-reflexion-totale.html", "La réflexion totale et l'angle limite",
        "Du milieu le plus réfringent vers le moins réfringent : l'angle limite "
        "sin i<sub>lim</sub> = n<sub>2</sub> / n<sub>1</sub>, la réflexion totale, la fibre optique et le prisme.",
        [("notation", "Une remarque sur la notation"),
         ("eloigne", "1. Vers un milieu moins réfringent"),
         ("limite", "2. L'angle limite"), ("totale", "3. La réflexion totale"),
         ("banc", "4. Sur le banc"), ("exemples", "5. Exemples résolus"),
         ("applications", "6. Applications")],
        """
<h2><a name="notation"></a>Une remarque sur la notation</h2>
<p>Dans certains livres, l'angle limite est noté λ. Dans ce cours, <b>λ désigne la longueur
d'onde</b> ; on note donc l'angle limite <b>i<sub>lim</sub></b>, comme dans les exercices du
programme.</p>

<h2><a name="eloigne"></a>1. Vers un milieu moins réfringent</h2>
<p>Quand la lumière passe d'un milieu 1 dans un milieu 2 <b>moins réfringent</b>
(n<sub>1</sub> &gt; n<sub>2</sub> : du verre ou de l'eau vers l'air), la loi
n<sub>1</sub> sin i<sub>1</sub> = n<sub>2</sub> sin i<sub>2</sub> donne
sin i<sub>2</sub> = (n<sub>1</sub> / n<sub>2</sub>) sin i<sub>1</sub> &gt; sin i<sub>1</sub> :
le rayon réfracté <b>s'éloigne de la normale</b>. Quand i<sub>1</sub> augmente, i<sub>2</sub>
augmente plus vite, jusqu'à atteindre 90° : le rayon réfracté rase alors le dioptre.</p>

<h2><a name="limite"></a>2. L'angle limite</h2>
<p>L'angle d'incidence pour lequel i<sub>2</sub> = 90° est l'<b>angle limite</b>
i<sub>lim</sub>. Avec sin 90° = 1, la loi devient n<sub>1</sub> sin i<sub>lim</sub> =
n<sub>2</sub> × 1 :</p>
""" + retenir("""<p align="center" style="font-size: large;"><b>sin i<sub>lim</sub> =
n<sub>2</sub> / n<sub>1</sub></b> (avec n<sub>1</sub> &gt; n<sub>2</sub>)</p>
<p>n<sub>1</sub> : indice du milieu d'où vient la lumière (le plus réfringent) ; n<sub>2</sub> :
indice du milieu moins réfringent.</p>""") + """

<h2><a name="totale"></a>3. La réflexion totale</h2>
<p>Si i<sub>1</sub> &gt; i<sub>lim</sub>, le calcul donnerait sin i<sub>2</sub> &gt; 1, ce qui est
impossible : <b>il n'y a plus de rayon réfracté</b>. Toute la lumière est réfléchie, en suivant la
loi i' = i : c'est la <b>réflexion totale</b>.</p>
""" + retenir("""<p>Il y a réflexion totale si et seulement si :</p>
<ol><li>la lumière va vers un milieu <b>moins réfringent</b> (n<sub>1</sub> &gt; n<sub>2</sub>) ;</li>
<li>l'angle d'incidence <b>dépasse l'angle limite</b> (i<sub>1</sub> &gt; i<sub>lim</sub>).</li></ol>
<p>De l'air vers le verre, la réflexion totale est impossible : il existe toujours un rayon
réfracté.</p>""") + """

<h2><a name="banc"></a>4. Sur le banc</h2>
""" + banc("""<p>Placer la <b>lampe à droite</b>, du côté de la face courbe. La lumière entre dans le
demi-disque selon un rayon du cercle, donc perpendiculairement à la face courbe : elle n'y est pas
déviée. Elle arrive ainsi en I, sur la face plane, <b>depuis l'intérieur du verre</b> : au point I,
elle passe du verre (milieu 1) dans l'air (milieu 2). Cocher « Réflexion partielle » pour voir le
rayon réfléchi, qui reste dans le verre.</p>
<p>Pour approcher l'angle limite, cliquer sur le banc puis tourner la lampe avec les flèches du
clavier, <b>Maj</b> enfoncée (pas de 0,1°).</p>""") + """
""" + figure("ch5-angle-limite", "Du verre Crown vers l'air, trois incidences",
             "Du verre Crown vers l'air : i = 30° (réfraction et réflexion partielle), "
             "i = 41,6° (le rayon réfracté rase la face plane), i = 50° (réflexion totale).") + """
<p>On remarque que le rayon réfléchi, pâle tant qu'il existe un rayon réfracté, devient aussi
lumineux que le rayon incident au-delà de l'angle limite : il emporte alors toute la lumière.</p>

<h2><a name="exemples"></a>5. Exemples résolus</h2>
""" + exemple("du verre Crown vers l'air", """
<p>À 589&nbsp;nm : n<sub>1</sub> = n<sub>Crown</sub> = {{n_crown}} et n<sub>2</sub> = n<sub>air</sub>
= {{n_air}}.</p>
<p>sin i<sub>lim</sub> = n<sub>2</sub> / n<sub>1</sub> = {{n_air}} / {{n_crown}} = {{s_lim_crown}}</p>
<p>i<sub>lim</sub> = arcsin({{s_lim_crown}}) = <b>{{lim_crown}}°</b>.</p>
<p>Sur le banc : à i = 41,6° le rayon réfracté rase la face plane ; dès 41,7°, il disparaît.</p>
""") + """
""" + exemple("de l'eau vers l'air", """
<p>sin i<sub>lim</sub> = n<sub>air</sub> / n<sub>eau</sub> = {{n_air}} / {{n_eau}} = {{s_lim_eau}},
d'où <b>i<sub>lim</sub> ≈ {{lim_eau}}°</b>.</p>
<p>Sur le banc, on choisit « Air » pour le demi-disque et « Eau » pour le milieu extérieur : la
lampe, à gauche, est dans l'eau, et la lumière passe de l'eau dans l'air à travers la face plane.</p>
""") + """
""" + figure("ch5-eau-air", "De l'eau vers l'air près de l'angle limite",
             "Milieu extérieur « Eau », demi-disque « Air » : à i = 48,6°, juste avant "
             "l'angle limite, le rayon réfracté rase la face plane.") + """
<table border="1" cellpadding="4" cellspacing="0" align="center">
<tr><th>Vers l'air, depuis…</th><th>n<sub>1</sub> (589 nm)</th><th>sin i<sub>lim</sub></th><th>i<sub>lim</sub></th></tr>
<tr><td>l'eau</td><td align="center">{{n_eau}}</td><td align="center">{{s_lim_eau}}</td><td align="center">{{lim_eau}}°</td></tr>
<tr><td>le verre Crown</td><td align="center">{{n_crown}}</td><td align="center">{{s_lim_crown}}</td><td align="center">{{lim_crown}}°</td></tr>
<tr><td>le verre Flint</td><td align="center">{{n_flint}}</td><td align="center">{{s_lim_flint}}</td><td align="center">{{lim_flint}}°</td></tr>
</table>
<p>Plus le milieu est réfringent, plus l'angle limite est petit : la réflexion totale est plus
facile à obtenir.</p>

<h2><a name="applications"></a>6. Applications</h2>
<h3>La fibre optique</h3>
<p>Une fibre optique est un fil de verre (ou de plastique) très fin : un <b>cœur</b> entouré d'une
<b>gaine</b> d'indice un peu plus faible. La lumière qui se propage dans le cœur arrive sur la gaine
sous une incidence supérieure à l'angle limite : elle subit des réflexions totales successives et
reste guidée dans le cœur, même si la fibre est courbée. Elle transporte ainsi des informations
(Internet, téléphone) sur des kilomètres, ou la lumière d'un endoscope en médecine.</p>
<p>Exemple : cœur n<sub>1</sub> = 1,48, gaine n<sub>2</sub> = 1,46 : sin i<sub>lim</sub> =
1,46 / 1,48 = {{s_lim_fibre}}, i<sub>lim</sub> ≈ {{lim_fibre}}° : seuls les rayons presque
parallèles à l'axe de la fibre sont guidés.</p>
<h3>Le prisme à réflexion totale</h3>
<p>Un prisme de verre dont la section est un triangle rectangle isocèle reçoit la lumière
perpendiculairement à une petite face ; elle arrive sur la grande face sous une incidence de 45°.
Pour le verre Crown, 45° &gt; {{lim_crown}}° : la lumière est <b>totalement réfléchie</b> et
ressort par l'autre petite face, déviée de 90°. Cette réflexion est meilleure que celle d'un miroir
métallique, qui absorbe une partie de la lumière : on utilise ces prismes dans les jumelles, les
périscopes et certains appareils photo. Un prisme d'eau ne conviendrait pas :
45° &lt; {{lim_eau}}°.</p>
<h3>L'éclat du diamant</h3>
<p>Le diamant est très réfringent (n ≈ 2,42) : son angle limite n'est que de {{lim_diamant}}°.
La lumière entrée dans une pierre bien taillée y subit de nombreuses réflexions totales avant de
ressortir : d'où son éclat.</p>
""" + a_vous([("REFLEXTOT", "La réflexion totale : du verre Crown vers l'air, l'angle limite",
               "Mesurer l'angle limite du verre Crown et le comparer au calcul."),
              ("EAUAIR", "De l'eau vers l'air : réfraction et réflexion totale",
               "Étudier le passage de l'eau vers l'air et trouver son angle limite.")]))

# 6 -------------------------------------------------------------------------------------------
chapter("06-dispersion.html", "La dispersion de la lumière",
        "L'indice dépend de la longueur d'onde : loi de Cauchy n = A + B / λ<sup>2</sup>, coefficients du "
        "catalogue, le violet plus dévié que le rouge, le Flint plus dispersif que le Crown.",
        [("observation", "1. La décomposition de la lumière blanche"),
         ("cauchy", "2. La loi de Cauchy"), ("exemple", "3. Exemple résolu : le verre Crown"),
         ("eventail", "4. Pourquoi la lumière s'étale en éventail"),
         ("flint", "5. Crown et Flint")],
        """
<h2><a name="observation"></a>1. La décomposition de la lumière blanche</h2>
<p>En traversant un prisme ou un bloc de verre, la lumière blanche se décompose en un spectre
coloré, du rouge au violet. Chaque radiation est déviée différemment, parce que <b>l'indice du verre
dépend de la longueur d'onde</b> : on dit que le verre est un milieu <b>dispersif</b>. L'arc-en-ciel
s'explique de la même façon, par la dispersion de la lumière du Soleil dans les gouttes de pluie.</p>
""" + figure("ch6-blanche-flint", "Lumière blanche à travers le verre Flint",
             "Lumière blanche, demi-disque en verre Flint, i = 60° : l'éventail coloré part de "
             "la face plane.") + """
""" + banc("""<p>Dans le panneau « Source lumineuse », choisir la <b>lumière blanche</b> ou les
<b>5 radiations</b> (400, 500, 600, 700 et 800&nbsp;nm). Toutes les radiations arrivent en I sous
la même incidence ; elles se séparent à la traversée de la face plane. Elles ressortent ensuite par
la face courbe, chacune selon un rayon du cercle, sans nouvelle déviation : l'éventail est donc
formé en I. Le rayon réfléchi, lui, reste blanc : la loi i' = i ne dépend pas de λ.</p>""") + """

<h2><a name="cauchy"></a>2. La loi de Cauchy</h2>
<p>Pour un milieu transparent comme le verre ou l'eau, l'indice varie avec la longueur d'onde
dans le vide λ selon la <b>loi de Cauchy</b> :</p>
""" + retenir("""<p align="center" style="font-size: large;"><b>n = A + B / λ<sup>2</sup></b></p>
<p>A (sans unité) et B (en nm<sup>2</sup>) sont des coefficients propres au milieu ; λ s'exprime
ici en <b>nanomètres</b>. B étant positif, <b>l'indice est d'autant plus grand que λ est
petit</b> : il est plus grand pour le violet que pour le rouge.</p>""") + """
<table border="1" cellpadding="4" cellspacing="0" align="center">
<tr><th>Milieu</th><th>A</th><th>B (nm<sup>2</sup>)</th><th>n à 400 nm</th><th>n à 589 nm</th><th>n à 800 nm</th></tr>
<tr><td>Air</td><td align="center">1,0002747</td><td align="center">0,74</td><td align="center">{{n_air_400}}</td><td align="center">{{n_air}}</td><td align="center">{{n_air_800}}</td></tr>
<tr><td>Eau</td><td align="center">1,3259431</td><td align="center">2&nbsp;221,5764</td><td align="center">{{n_eau_400}}</td><td align="center">{{n_eau}}</td><td align="center">{{n_eau_800}}</td></tr>
<tr><td>Verre Crown</td><td align="center">1,472363</td><td align="center">11&nbsp;848,408</td><td align="center">{{n_crown_400}}</td><td align="center">{{n_crown}}</td><td align="center">{{n_crown_800}}</td></tr>
<tr><td>Verre Flint</td><td align="center">1,5392</td><td align="center">31&nbsp;102,07</td><td align="center">{{n_flint_400}}</td><td align="center">{{n_flint}}</td><td align="center">{{n_flint_800}}</td></tr>
</table>
<p style="font-size: 10pt;">L'air n'est presque pas dispersif : son indice ne varie que dans la
sixième décimale. Le matériau « Autre » des panneaux « Le demi-disque » et « Milieu extérieur »
permet de donner ses propres coefficients A et B ; avec B = 0, le matériau n'est pas dispersif.</p>

<h2><a name="exemple"></a>3. Exemple résolu : le verre Crown</h2>
""" + exemple("l'indice du verre Crown à 400 nm et à 800 nm", """
<p>A = 1,472363 et B = 11&nbsp;848,408&nbsp;nm<sup>2</sup>.</p>
<p><b>À 400 nm</b> (violet) : λ<sup>2</sup> = 400<sup>2</sup> = 160&nbsp;000&nbsp;nm<sup>2</sup> ;
B / λ<sup>2</sup> = 11&nbsp;848,408 / 160&nbsp;000 = {{bl400}} ;
n = 1,472363 + {{bl400}} = <b>{{nc400}}</b>.</p>
<p><b>À 800 nm</b> (rouge) : λ<sup>2</sup> = 640&nbsp;000&nbsp;nm<sup>2</sup> ;
B / λ<sup>2</sup> = {{bl800}} ; n = 1,472363 + {{bl800}} = <b>{{nc800}}</b>.</p>
<p>L'indice diminue de {{dnc}} entre 400 et 800&nbsp;nm. Dans la calculatrice du programme, on
écrit par exemple <b>1.472363 + 11848.408 / C1 ^ 2</b> pour calculer une colonne d'indices à partir
d'une colonne C1 de longueurs d'onde.</p>
""") + """

<h2><a name="eventail"></a>4. Pourquoi la lumière s'étale en éventail</h2>
<p>Toutes les radiations arrivent sous le même angle d'incidence i. Pour chacune, la loi de
Snell–Descartes donne sin r = n<sub>air</sub> sin i / n(λ). Plus n(λ) est grand, plus sin r est
petit : le rayon réfracté se rapproche davantage de la normale. La <b>déviation</b>
D = i − r (l'angle entre la direction du rayon incident et celle du rayon réfracté) est donc la
plus grande pour le violet.</p>
""" + retenir("<p>Le <b>violet</b> (petit λ, grand indice) est <b>le plus dévié</b> ; le "
              "<b>rouge</b> (grand λ, petit indice) est le moins dévié.</p>") + """
""" + exemple("les déviations dans le verre Crown sous i = 60°", """
<p>À 400&nbsp;nm : sin r = 1,000279 × sin 60° / {{nc400}}, r = {{rc400}}°, D = 60° − {{rc400}}° =
<b>{{Dc400}}°</b>.</p>
<p>À 800&nbsp;nm : sin r = 1,000276 × sin 60° / {{nc800}}, r = {{rc800}}°, D = <b>{{Dc800}}°</b>.</p>
<p>L'éventail s'ouvre de {{rc800}}° − {{rc400}}° = {{ec}}° seulement : il faut bien regarder la
sortie du demi-disque pour le voir.</p>
""") + """

<h2><a name="flint"></a>5. Crown et Flint</h2>
<p>Le verre Flint (verre au plomb) a un coefficient B plus de deux fois et demie plus grand que
le verre Crown : son indice varie davantage avec λ ({{n_flint_400}} à 400&nbsp;nm, {{n_flint_800}} à
800&nbsp;nm, soit {{dnf}} d'écart contre {{dnc}} pour le Crown). Sous i = 60°, r va de
{{rf400}}° (400&nbsp;nm) à {{rf800}}° (800&nbsp;nm) : l'éventail s'ouvre de {{ef}}°, environ deux
fois plus que pour le Crown. <b>Le Flint disperse davantage la lumière que le Crown</b> ; c'est
pourquoi on l'utilise pour les prismes qui doivent étaler un spectre.</p>
""" + figure("ch6-eventails", "Éventails du Crown et du Flint",
             "Sortie du demi-disque agrandie deux fois : lumière blanche dans le Crown, dans le "
             "Flint, et les 5 radiations dans le Crown (le violet au plus près de la normale).") + """
""" + a_vous([("DISPERSION", "La dispersion de la lumière blanche : indice et longueur d'onde",
               "Calculer l'indice avec la loi de Cauchy, mesurer r pour cinq longueurs d'onde et "
               "comparer le Crown et le Flint.")]))

# 7 -------------------------------------------------------------------------------------------
chapter("07-mesures.html", "Mesurer avec le rapporteur et le tableau",
        "Pas à pas : mesurer i et r, remplir le tableau, calculer sin i et sin r, tracer la droite "
        "de régression et lire l'indice sur sa pente ; précision d'une mesure.",
        [("preparer", "1. Préparer l'expérience"), ("rapporteur", "2. Mesurer au rapporteur"),
         ("tableau", "3. Noter les mesures dans le tableau"),
         ("calculer", "4. Calculer sin i et sin r"),
         ("graphe", "5. Tracer le graphique et la droite de régression"),
         ("pente", "6. Lire l'indice sur la pente"), ("precision", "7. La précision des mesures")],
        """
<p>Ce chapitre reprend, étape par étape, la mesure de l'indice du verre Crown : on mesure des
couples (i, r), on vérifie la loi de Snell–Descartes et on lit l'indice sur un graphique.</p>

<h2><a name="preparer"></a>1. Préparer l'expérience</h2>
<ul>
<li>Panneau « Le demi-disque » : matériau <b>« Verre Crown »</b> ; panneau « Milieu
extérieur » : <b>« Air »</b>.</li>
<li>Panneau « Source lumineuse » : <b>« Monochromatique »</b>, λ = 589&nbsp;nm.</li>
<li>Placer la lampe à gauche : à la souris en la faisant glisser autour du cercle, ou au clavier
après avoir cliqué sur le banc (flèches : 1° ; avec <b>Maj</b> : 0,1°).</li>
</ul>
""" + figure("ch7-mesure-40", "Mesure à i = 40°",
             "Lampe à i = 40° : le rayon réfracté coupe le cercle vers r = 25,3°.") + """

<h2><a name="rapporteur"></a>2. Mesurer au rapporteur</h2>
<p>Les graduations du cercle donnent une première lecture, au degré près. Pour mesurer au dixième
de degré, on utilise le <b>rapporteur</b>.</p>
<ol>
<li>Cliquer sur l'icône du rapporteur, en bas à gauche du banc : le rapporteur apparaît, son centre
en I et sa base sur la normale ; le panneau « Mesurer un angle » s'ouvre.</li>
<li>La <b>croix</b> sert à déplacer le rapporteur, la <b>poignée ronde</b> à le faire tourner :
pour mesurer un angle par rapport à la normale, laisser son centre en I et sa base sur la
normale.</li>
<li>Faire glisser la <b>sphère cyan</b> jusqu'à ce que la droite du rapporteur soit exactement sur
le rayon incident : lire i dans le panneau, « Angle mesuré: … degrés ».</li>
<li>Placer de même la droite sur le rayon réfracté et lire r.</li>
</ol>
<p>Le panneau donne l'angle aigu entre la droite et la base du rapporteur : tant que la base est
sur la normale, c'est bien l'angle avec la normale.</p>

<h2><a name="tableau"></a>3. Noter les mesures dans le tableau</h2>
<ol>
<li>Le bouton <b>« Tableau »</b> ouvre le tableau de valeurs : cinq colonnes C1 à C5, la première
ligne porte leurs titres.</li>
<li>Nommer les colonnes (clic sur le titre, « Nommer C1 »…) : « i (°) », « r (°) », « sin i »,
« sin r », « sin i/sin r ».</li>
<li>Pour chaque position de la lampe (i = 10°, 20°… 80°), écrire i dans C1 et r dans C2 : cliquer
sur la cellule et taper la valeur (le point devient une virgule).</li>
</ol>

<h2><a name="calculer"></a>4. Calculer sin i et sin r</h2>
<ol>
<li>Clic sur le titre de la colonne C3, puis <b>« Calculer C3 »</b> : la calculatrice s'ouvre.</li>
<li>Vérifier que les angles sont en <b>« Degrés »</b>.</li>
<li>Composer <b>sin (C1)</b> puis EXE : toute la colonne est calculée.</li>
<li>De même : C4 = <b>sin (C2)</b>, puis C5 = <b>C3 / C4</b>.</li>
</ol>
<p>Voici les mesures de la correction de l'exercice sur la réfraction :</p>
<table border="1" cellpadding="4" cellspacing="0" align="center">
<tr><th>i (°)</th><th>r (°)</th><th>sin i</th><th>sin r</th><th>sin i/sin r</th></tr>
{{mes_rows}}
</table>
<p>Le rapport sin i / sin r est pratiquement constant : la loi de Snell–Descartes est vérifiée.</p>

<h2><a name="graphe"></a>5. Tracer le graphique et la droite de régression</h2>
<ol>
<li>Clic droit dans le tableau, <b>« Représentation graphique »</b>.</li>
<li>« Abscisse: » <b>C4</b> (sin r), « Ordonnée: » <b>C3</b> (sin i) ; cocher « Représenter un
point par une croix » et « Afficher la grille ».</li>
<li>Cocher <b>« Droite de régression »</b> : la droite la plus proche des points est tracée, avec
son équation <b>y = a x + b</b> et le coefficient de corrélation <b>r</b>.</li>
</ol>
""" + figure("ch7-graphe", "sin i en fonction de sin r et la droite de régression",
             "sin i en fonction de sin r pour les huit mesures : les points sont alignés sur une "
             "droite qui passe par l'origine.") + """
<p>Le coefficient de corrélation est noté r, comme l'angle de réfraction : ne pas les confondre !
Plus il est proche de 1, mieux les points sont alignés. Ici r = {{reg_r}} : l'alignement est
excellent.</p>

<h2><a name="pente"></a>6. Lire l'indice sur la pente</h2>
<p>La loi n<sub>1</sub> sin i = n<sub>2</sub> sin r s'écrit aussi
sin i = (n<sub>2</sub> / n<sub>1</sub>) × sin r : c'est l'équation d'une droite y = a x qui passe
par l'origine, de pente</p>
""" + retenir("""<p align="center" style="font-size: large;"><b>a = n<sub>2</sub> /
n<sub>1</sub></b></p>
<p>Quand le premier milieu est l'air (n<sub>1</sub> ≈ 1), la pente donne directement l'indice du
demi-disque : n<sub>2</sub> = a × n<sub>air</sub> ≈ a.</p>""") + """
""" + exemple("l'indice du verre Crown", """
<p>Le graphique donne a ≈ {{reg_a}}, b ≈ {{reg_b}} et r ≈ {{reg_r}}.</p>
<p>b est pratiquement nul : la droite passe par l'origine, comme le prévoit la loi.</p>
<p>n<sub>2</sub> = a × n<sub>air</sub> = {{reg_a}} × {{n_air}} ≈ <b>{{reg_n2}}</b>.</p>
<p>Valeur du catalogue : {{n_crown}}. L'écart relatif, |n<sub>mesuré</sub> − {{n_crown}}| /
{{n_crown}}, est inférieur à 0,1&nbsp;% : la mesure est très bonne.</p>
""") + """
<p>Si la lampe est à droite (la lumière va du demi-disque vers l'air), les rôles s'échangent :
n<sub>verre</sub> sin i = n<sub>air</sub> sin r, et c'est en traçant sin r en fonction de sin i que
la pente vaut n<sub>verre</sub> / n<sub>air</sub>.</p>

<h2><a name="precision"></a>7. La précision des mesures</h2>
<p>Même avec le rapporteur, placer la droite exactement sur un rayon n'est possible qu'à
<b>quelques dixièmes de degré</b> près. L'effet de cette erreur dépend de l'angle mesuré :</p>
""" + exemple("une erreur de 0,2° sur r", """
<p>Pour i = 10° et r = 6,6° ± 0,2°, le rapport sin i / sin r est compris entre {{q10_lo}} et
{{q10_hi}} : environ ± {{q10_pc}}&nbsp;%.</p>
<p>Pour i = 40° et r = 25,3° ± 0,2°, il est compris entre {{q40_lo}} et {{q40_hi}} : environ
± {{q40_pc}}&nbsp;% seulement.</p>
""") + """
<ul>
<li>Les petits angles donnent un rapport peu précis : mieux vaut mesurer sur toute l'étendue de
10° à 80°.</li>
<li>La droite de régression utilise toutes les mesures à la fois : les erreurs se compensent en
partie, et un point mal placé se repère tout de suite sur le graphique (il faut alors refaire cette
mesure).</li>
<li>On donne un indice mesuré avec trois ou quatre chiffres significatifs (1,506), pas avec les six
décimales de la calculatrice.</li>
</ul>
""" + a_vous([("REFRACTION", "La loi de la réfraction : de l'air au verre Crown",
               "Faire toute la mesure : rapporteur, tableau, colonnes calculées et droite de "
               "régression."),
              ("INCONNU", "Identifier un matériau inconnu par la mesure de son indice",
               "Utiliser la même méthode pour mesurer l'indice d'un matériau inconnu et "
               "l'identifier.")]))

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
    out = [HEAD % "Optiphane : cours d'optique"]
    out.append('<h1 style="color: #1a3f8f;">Cours d\'optique</h1>\n')
    out.append("<p>Ce cours accompagne le banc d'optique d'Optiphane : la lumière, sa réflexion, sa "
               "réfraction, l'indice d'un milieu, la réflexion totale et la dispersion, puis la "
               "façon de mesurer un indice avec le rapporteur, le tableau et le graphique. "
               "Chaque chapitre contient des exemples résolus, des encadrés « Sur le banc » "
               "qui montrent comment observer le phénomène dans le programme, et se termine par "
               "une partie « À vous » qui renvoie à l'exercice correspondant.</p>\n")
    out.append('<h2><a name="chapitres"></a>Sommaire</h2>\n<ol>\n')
    for ch in CHAPTERS:
        out.append('<li><p><a href="%s"><b>%s</b></a><br>%s</p></li>\n'
                   % (ch["file"], ch["title"], ch["summary"]))
    out.append("</ol>\n")
    out.append('<h2><a name="notations"></a>Notations</h2>\n'
               '<table border="1" cellpadding="4" cellspacing="0">\n'
               "<tr><th>Notation</th><th>Signification</th><th>Unité</th></tr>\n"
               "<tr><td>c</td><td>vitesse de la lumière dans le vide, c ≈ 3,00&nbsp;×&nbsp;"
               "10<sup>8</sup>&nbsp;m/s</td><td>m/s</td></tr>\n"
               "<tr><td>λ</td><td>longueur d'onde dans le vide d'une radiation</td>"
               "<td>nm (1&nbsp;nm = 10<sup>−9</sup>&nbsp;m)</td></tr>\n"
               "<tr><td>n, n<sub>1</sub>, n<sub>2</sub></td><td>indice de réfraction d'un milieu"
               "</td><td>sans unité</td></tr>\n"
               "<tr><td>i (ou i<sub>1</sub>)</td><td>angle d'incidence, mesuré à partir de la "
               "normale</td><td>degré (°)</td></tr>\n"
               "<tr><td>i'</td><td>angle de réflexion</td><td>degré (°)</td></tr>\n"
               "<tr><td>r (ou i<sub>2</sub>)</td><td>angle de réfraction</td><td>degré (°)</td>"
               "</tr>\n"
               "<tr><td>i<sub>lim</sub></td><td>angle limite de réfraction (réflexion totale)"
               "</td><td>degré (°)</td></tr>\n"
               "<tr><td>A, B</td><td>coefficients de la loi de Cauchy n = A + B / λ<sup>2</sup>"
               "</td><td>A sans unité, B en nm<sup>2</sup></td></tr>\n"
               "</table>\n<p>Les nombres sont écrits avec une virgule décimale ; dans la "
               "calculatrice du programme, on tape un point (1.472363).</p>\n")
    out.append('<h2><a name="exercices"></a>Les exercices</h2>\n'
               "<p>Les exercices s'ouvrent par un clic sur leur titre ci-dessous, ou depuis le "
               "programme : onglet <b>« Exercices »</b>, bouton <b>« Ouvrir un exercice »</b>, "
               "dossier <b>« exercices »</b>. Leur énoncé s'affiche dans la zone de texte et leur "
               "configuration est chargée sur le banc.</p>\n"
               '<table border="1" cellpadding="4" cellspacing="0">\n'
               "<tr><th>Exercice</th><th>Chapitres</th></tr>\n")
    for name, title, chapters in (
            ("REFLEXION", "Les lois de la réflexion (miroir plan)", [2, 7]),
            ("REFRACTION", "La loi de la réfraction : de l'air au verre Crown", [3, 7]),
            ("REFLEXTOT", "La réflexion totale : du verre Crown vers l'air, l'angle limite", [5]),
            ("EAUAIR", "De l'eau vers l'air : réfraction et réflexion totale", [4, 5]),
            ("DISPERSION", "La dispersion de la lumière blanche : indice et longueur d'onde",
             [1, 6]),
            ("INCONNU", "Identifier un matériau inconnu par la mesure de son indice", [4, 7])):
        links = ", ".join('<a href="%s">%d</a>' % (CHAPTERS[c - 1]["file"], c) for c in chapters)
        out.append("<tr><td>%s</td><td>%s</td></tr>\n" % (exercise(name, title), links))
    out.append("</table>\n<p>Pour découvrir le programme, commencer par l'activité « Prise en "
               "main » (onglet « Exercices », bouton « Prise en main »).</p>\n")
    out.append("</body>\n</html>\n")
    return typography("".join(out))

def main():
    os.makedirs(OUT, exist_ok=True)
    pages = {"index.html": index_page()}
    for k, ch in enumerate(CHAPTERS):
        pages[ch["file"]] = chapter_page(k)
    for name, html in pages.items():
        with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(html)
    print("%d pages écrites dans %s" % (len(pages), OUT))

if __name__ == "__main__":
    main()
