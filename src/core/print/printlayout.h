// SPDX-License-Identifier: GPL-3.0-or-later
// The printouts: the bench picture with its parameters block, the table, the graph. Each lays its
// pages out with a QPainter onto any paged device (a printer, a PDF file, a test's file), through
// a small canvas that speaks the old printer's units: device pixels or twips (1/1440 inch).
#pragma once

#include "core/state/source.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QTextDocument;
class QBuffer;
class TableModel;

namespace print {

// The screen the pictures were drawn for: 96 pixels per inch, 15 twips per pixel.
constexpr double ScreenTwipsPerPixel = 15.0;

// Where printed documents go. Each document is begun, painted and ended: one printer job, or one
// PDF file.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // The device of the next document, or nullptr when it cannot be opened.
    virtual QPagedPaintDevice* beginDocument() = 0;
    // Called once the document's painter has ended; false when the document was lost.
    virtual bool endDocument() = 0;
    // Called instead when the document could not be painted whole: nothing of it is kept.
    virtual void abandonDocument() = 0;
};

// One PDF file per document: the first at the path given, the next ones beside it with "-2",
// "-3" … before the extension. A4 pages, 10 mm margins, 600 dots per inch, like a school printer.
// A file is written aside and put in place only when complete: a failed printout leaves an older
// file of that name as it was.
class PdfTarget : public PrintTarget {
public:
    explicit PdfTarget(QString path, int resolution = 600);
    // Pages as a printer's set-up laid them out (its paper, orientation and margins).
    PdfTarget(QString path, int resolution, const QPageLayout& pageLayout);
    ~PdfTarget() override;
    QPagedPaintDevice* beginDocument() override;
    bool endDocument() override;
    void abandonDocument() override;
    // The files written so far, in order, and how many documents were begun.
    QStringList paths() const { return m_written; }
    int documentsBegun() const { return m_begun; }
    // The file of document number index (1 for the first).
    static QString documentPath(const QString& path, int index);

private:
    QString m_path;
    int m_resolution;
    QPageLayout m_pageLayout;
    QByteArray m_bytes;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QStringList m_written;
    int m_begun = 0;
};

// A page as the old printer object saw it: its scale (device pixels or twips), its size in that
// scale, a print position that text moves on, one font, boxes and pictures.
class PrinterCanvas {
public:
    enum class Scale { Pixels, Twips };
    PrinterCanvas(QPagedPaintDevice& device, QPainter& painter);

    void setScale(Scale scale) { m_scale = scale; }
    double scaleWidth() const;
    double scaleHeight() const;
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    void setFontName(const QString& family);
    void setFontSize(double points);
    void setBold(bool bold);
    double textWidth(const QString& text) const;
    // The height of a line of the current font, whatever the text.
    double textHeight(const QString& text = QString()) const;

    // Prints at (currentX, currentY), in black. Then, like the old Print, either stays on the line
    // after the text, or goes to the start of the next line.
    enum class Then { NextLine, SameLine };
    void print(const QString& text, Then then = Then::NextLine);
    // A black rectangle's outline, drawWidth device pixels wide.
    void box(double x1, double y1, double x2, double y2, int drawWidth);
    void paintPicture(const QImage& picture, double x, double y, double width, double height);
    // False when the device refuses a new page.
    bool newPage();
    // A rich text from the top of this page on, over as many pages as it needs.
    bool paintText(const QTextDocument& text);

    double currentX = 0;
    double currentY = 0;

private:
    double toDevice(double value, bool vertical) const;
    double fromDevice(double value, bool vertical) const;

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    Scale m_scale = Scale::Twips;
    QFont m_font;
};

// What the bench printout shows, taken from the main window when the print window opens.
struct BenchParameters {
    Source source = Source::Monochromatic;
    QString wavelength = QStringLiteral("589"); // Label7
    QString discMaterial;                       // Combo1
    QString discIndex;                          // Label4
    QString outerMaterial;                      // Combo2
    QString outerIndex;                         // Label16
};

struct BenchPrintout {
    QImage picture; // the composed bench picture, 404 × 404 screen pixels
    BenchParameters parameters;
    // The same experiment drawn on a white background, for "Imprimer sur fond blanc"; empty when
    // whoever built the printout had none (the picture is then printed as it is).
    QImage whitePicture;
    // The picture drawn again at scale k (on a white background or not), so that a page gets
    // the printer's resolution rather than screen pixels stretched; empty: the pictures above
    // are stretched.
    std::function<QImage(double scale, bool onWhite)> drawAt;
};

// The finest scale a bench page is drawn at (8 × 404 pixels across 10,7 cm: 1 900 dpi).
inline constexpr double MostPrintScale = 8;

// The print window's options for the bench, with their start states.
struct BenchLayout {
    bool centreHorizontally = true;
    bool centreVertically = false;
    bool withParameters = true;
    bool miniature = false;
    bool onWhite = false; // the picture drawn on a white background
    int copies = 1;
};

// The source's sentence of the parameters block.
QString sourceText(const BenchParameters& parameters);

// One line of the parameters block: its indent (1 or 2 margins), a bold head and the rest.
struct ParameterLine {
    int indent = 0; // 0 for a blank line
    QString bold;
    QString text;
};
QList<ParameterLine> parameterLines(const BenchParameters& parameters);

// The table as the printout draws it: every row's five texts (row 0 holds the titles), the row
// height and the column width in twips.
struct TablePrintout {
    QList<QStringList> rows;
    int rowHeight = 270;
    int columnWidth = 1015;
};
TablePrintout tablePrintout(const TableModel& table, int rowHeight, int columnWidth);

// One cell of a printed table row, in the canvas's units: its drawn box (the line's middle) and
// its text, placed at least one character width from each side of the box (a digit's width in
// the table's font), cut from the right when the column is too narrow.
struct TableCellPlace {
    QRectF box;
    QString text;
    QRectF textBox; // the text's advance from its left end, one line high
};
QList<TableCellPlace> tableRowPlaces(const PrinterCanvas& canvas, const TablePrintout& printout,
                                     int row, double x0, double yTop);

// The printouts. Each returns false, and stops, when a document cannot be opened, a page cannot
// be added or the document is lost; nothing already printed is printed again.
// The bench: every copy is a page of one document.
bool printBench(PrintTarget& target, const BenchPrintout& printout, const BenchLayout& layout);
// The table: every copy is a document of its own, headed "Optiphane", then "Optiphane ( 2 )" …
bool Cletab(PrintTarget& target, const TablePrintout& printout, int copies);
// The graph as a page of a report: its title line, its picture at its size on the screen, the
// lines of its fitted lines, and its points' table (two columns under their titles), on
// further pages when they do not hold on the first. Without a title, equations or points, the
// picture alone centred on the page.
struct GraphPage {
    QString title;
    QStringList equations;
    QStringList pointsHeader;
    std::vector<QStringList> points;
    // The plot drawn again at scale k, for the printer's resolution; empty: the picture given is
    // stretched.
    std::function<QImage(double scale)> drawAt;
};
bool printGraph(PrintTarget& target, const QImage& picture, const GraphPage& page = {});
// A rich text over as many pages as it needs, with its formatting.
bool printText(PrintTarget& target, const QTextDocument& text);

// The layouts on an open page, for the benchmarks and the tests that look inside a page.
void layBenchPage(PrinterCanvas& canvas, const BenchPrintout& printout, const BenchLayout& layout);
void impripar(PrinterCanvas& canvas, double y, const BenchParameters& parameters);

} // namespace print
