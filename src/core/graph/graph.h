// SPDX-License-Identifier: GPL-3.0-or-later
// The graph of one table column against another, as the window `grapheur` draws it on Picture1:
// the extremes of both columns (the range always holds 0), the scale (pixels per unit, the pixel
// of the value 0, units per division), the axes, the divisions or the dotted grid, one mark per
// row, the joining segments and the least-squares line. Everything here works on a Surface and a
// TableModel, without a window.
//
// The drawing keeps the program's single-precision arithmetic so that every mark falls on the
// same pixel as it always did; only values whose scale leaves the single-precision range (a
// column of 1E-38) are placed with double precision instead of being lost.
#pragma once

#include "core/platform/surface.h"
#include "core/table/tablemodel.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace graph {

constexpr int PictureSize = 501; // Picture1: 7515 twips square
// Picture1's plotting square, where the grid and the regression line are drawn.
constexpr int PlotLow = 5;
constexpr int PlotHigh = 495;

inline const QString NoDataText =
    QStringLiteral("Choisir des grandeurs valides pour l'abscisse et l'ordonnée");
inline const QString TwoAbscissasText =
    QStringLiteral("Droite de régression: il faut au moins deux abscisses différentes.");

// An axis list's entry for a column: its name, then its title when the pupil gave one
// ("C3 : sin i"; "C3" under the default title).
QString axisEntry(const TableModel& table, int column);

// Replaces a positive magnitude m with the units per division: 1, 2 or 5 times a power of ten,
// or 1.25, 2.5 … (see the loop), so that 0 … m holds 5 to 10 divisions. m = 3 gives 0.5,
// m = 11 gives 1.25. Zero, negative, NaN and infinite magnitudes are left as they are.
void uniteur(float& m);
float unitsPerDivision(float m); // the same, by value

// The smallest and largest value of a column's data rows, both starting at 0; a cell that is not
// a number counts as 0.
struct Extremes {
    float min = 0;
    float max = 0;
};
Extremes columnExtremes(const TableModel& table, int column);

// One axis of a drawing. The pixel offset of value v is origin + k × v (x0 + kx × v, or
// y0 + ky × v measured upwards from the bottom edge at 500).
struct Axis {
    float min = 0, max = 0;
    double k = 0;      // pixels per unit: 480 / (max − min)
    double origin = 0; // offset of the value 0: 5 − k × min
    // k and origin are single-precision values and offsets are worked in single precision;
    // false when the range is too small or too large for that (k would overflow).
    bool single = true;
    float step = 0;  // units per division (uniteur of the larger magnitude)
    float first = 0; // ⌊min / step⌋ × step
    float last = 0;  // ⌊max / step + 1.5⌋ × step

    double offset(float v) const; // origin + k × v, not rounded
};
Axis makeAxis(Extremes range);

// The scale of a drawing: nothing when a column is empty or all zeros.
struct Scale {
    Axis x, y;
    // Picture1's coordinates of a value pair, not rounded (y grows downwards).
    double column(float u) const { return x.offset(u); }
    double row(float v) const;
    // The same rounded to the nearest pixel, halves to even: where a mark is drawn.
    int pixelX(float u) const;
    int pixelY(float v) const;
};
std::optional<Scale> scaleFor(const TableModel& table, int xColumn, int yColumn);

// Label1's text for the units per division: two paragraphs, values in the free format.
QString scaleText(float dx, float dy);

// A mark: a table row whose two cells are numbers. A row with an empty cell breaks the joined
// line; a cell holding some other text only loses its row's mark.
struct Mark {
    int row = 0;
    float x = 0, y = 0;
    bool continues = false; // a mark precedes it with no empty row between: "Lier" joins them
};
std::vector<Mark> marks(const TableModel& table, int xColumn, int yColumn);

// The least-squares line y = a x + b through the points, in double precision.
struct Regression {
    int points = 0;
    bool defined = false; // at least two different abscissas
    double a = 0, b = 0;
    std::optional<double> r; // the correlation coefficient; nothing when every ordinate is equal
};
Regression regression(const std::vector<Mark>& points);
// The equation and the correlation coefficient on one line, "y = 1,4835 x + 0,0044     r = 0,9998":
// a to five significant digits, b with as many decimals, r to four ("r = non défini" when every
// ordinate is equal); or why there is no line.
QString regressionText(const Regression& fit);

// The least-squares line through the origin, y = a x with a = Σxy / Σx² (for sin i against sin r,
// a is the index); defined when an abscissa is not 0.
struct OriginFit {
    bool defined = false;
    double a = 0;
};
OriginFit originRegression(const std::vector<Mark>& points);
// "y = 1,5061 x", a to five significant digits; or why there is no line.
QString originText(const OriginFit& fit);
inline const QString NoOriginLineText =
    QStringLiteral("Droite passant par l'origine: il faut une abscisse non nulle.");

// A value written at an axis division: decimal comma, as many decimals as the labelled step needs.
QString divisionText(double value, double labelledStep);

// Picture1's segment of the line y = a x + b, cut to the plotting square; nothing when the line
// misses it.
struct Segment {
    double x1, y1, x2, y2;
};
std::optional<Segment> regressionSegment(const Scale& scale, double a, double b);

struct Options {
    bool joined = false;        // Check1 "Lier les points"
    bool grid = false;          // Check2 "Afficher la grille"
    bool crosses = false;       // Check3 "Représenter un point par une croix"
    bool regression = false;    // Check4 "Droite de régression"
    bool throughOrigin = false; // Check5 "Passant par l'origine"
    // The values at the divisions and the axes' names (the columns' titles), written along the
    // axes; without them the picture is the bare plot.
    bool values = false;
    QString xTitle, yTitle;
};

// Redraws Picture1 from the table: columns −1 (a list without selection) draw nothing. Returns
// Label1's new text, or nothing when Label1 keeps its text (no selection, or no usable data, when
// the picture shows the NoDataText message instead of a graph).
std::optional<QString> majgraf(Surface& picture, const TableModel& table, int xColumn, int yColumn,
                               const Options& options);

// The plot alone drawn on a fresh picture of scale k (k times finer: the printed page's
// resolution); at 1, what majgraf draws on the window's picture.
QImage plot(const TableModel& table, int xColumn, int yColumn, const Options& options,
            double scale);

// The graph as a page reads on its own: its title line ("sin i en fonction de sin r"), the plot
// with its values and names, and the lines of its fitted lines under it; the points as the table
// shows them, for the printed page.
struct Page {
    QString title;
    QImage plot;
    QStringList equations;
    QStringList pointsHeader;        // the two columns' titles
    std::vector<QStringList> points; // each plotted row: its two cells as the table shows them
};
Page page(const QImage& plot, const TableModel& table, int xColumn, int yColumn,
          const Options& options);
// The title line, the plot and the equations in one picture (the copy of the graph).
QImage pagePicture(const Page& page);

} // namespace graph
