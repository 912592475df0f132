// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/print/printlayout.h"

#include "core/platform/files.h"
#include "core/table/tablemodel.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cmath>

namespace print {

// ---------------------------------------------------------------------------------------------
// PDF files

PdfTarget::PdfTarget(QString path, int resolution)
    : PdfTarget(std::move(path), resolution,
                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                            QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter))
{}

PdfTarget::PdfTarget(QString path, int resolution, const QPageLayout& pageLayout)
    : m_path(std::move(path)), m_resolution(resolution), m_pageLayout(pageLayout)
{}

PdfTarget::~PdfTarget() = default;

QString PdfTarget::documentPath(const QString& path, int index)
{
    if (index <= 1)
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return stem + QLatin1Char('-') + QString::number(index) +
           (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

QPagedPaintDevice* PdfTarget::beginDocument()
{
    ++m_begun;
    m_writer.reset();
    m_bytes.clear();
    m_buffer = std::make_unique<QBuffer>(&m_bytes);
    if (m_path.isEmpty() || !m_buffer->open(QIODevice::WriteOnly))
        return nullptr;
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(m_resolution);
    m_writer->setCreator(QStringLiteral("Optiphane"));
    m_writer->setTitle(QStringLiteral("Optiphane"));
    m_writer->setPageLayout(m_pageLayout);
    return m_writer.get();
}

void PdfTarget::abandonDocument()
{
    m_writer.reset();
    m_buffer.reset();
    m_bytes.clear();
}

bool PdfTarget::endDocument()
{
    m_writer.reset();
    m_buffer.reset();
    // The whole file is written aside, then put in place: a full disc or a missing folder is
    // seen here, and leaves no half file.
    const QString path = documentPath(m_path, m_begun);
    const bool written = !m_bytes.isEmpty() && files::writeWhole(path, m_bytes);
    m_bytes.clear();
    if (written)
        m_written << path;
    return written;
}

// ---------------------------------------------------------------------------------------------
// The canvas

PrinterCanvas::PrinterCanvas(QPagedPaintDevice& device, QPainter& painter)
    : m_device(device), m_painter(painter), m_font(QStringLiteral("Arial"))
{
    m_font.setPointSizeF(10);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    // A PDF engine stores an opaque picture as JPEG unless told otherwise: the bench's thin
    // coloured rays and the graph's marks would blur. Stored losslessly (Flate) they stay exact,
    // and a 404-pixel picture of a few flat colours stays small.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
}

double PrinterCanvas::twipsPerPixelX() const
{
    return 1440.0 / m_device.logicalDpiX();
}

double PrinterCanvas::twipsPerPixelY() const
{
    return 1440.0 / m_device.logicalDpiY();
}

double PrinterCanvas::toDevice(double value, bool vertical) const
{
    if (m_scale == Scale::Pixels)
        return value;
    return value / (vertical ? twipsPerPixelY() : twipsPerPixelX());
}

double PrinterCanvas::fromDevice(double value, bool vertical) const
{
    if (m_scale == Scale::Pixels)
        return value;
    return value * (vertical ? twipsPerPixelY() : twipsPerPixelX());
}

double PrinterCanvas::scaleWidth() const
{
    return fromDevice(m_device.width(), false);
}

double PrinterCanvas::scaleHeight() const
{
    return fromDevice(m_device.height(), true);
}

void PrinterCanvas::setFontName(const QString& family)
{
    m_font.setFamily(family);
}

void PrinterCanvas::setFontSize(double points)
{
    m_font.setPointSizeF(points);
}

void PrinterCanvas::setBold(bool bold)
{
    m_font.setBold(bold);
}

double PrinterCanvas::textWidth(const QString& text) const
{
    return fromDevice(QFontMetricsF(m_font, &m_device).horizontalAdvance(text), false);
}

double PrinterCanvas::textHeight(const QString&) const
{
    return fromDevice(QFontMetricsF(m_font, &m_device).height(), true);
}

void PrinterCanvas::print(const QString& text, Then then)
{
    if (!text.isEmpty()) {
        const QFontMetricsF metrics(m_font, &m_device);
        m_painter.setFont(QFont(m_font, &m_device));
        m_painter.setPen(Qt::black);
        m_painter.drawText(
            QPointF(toDevice(currentX, false), toDevice(currentY, true) + metrics.ascent()), text);
    }
    if (then == Then::SameLine) {
        currentX += textWidth(text);
    } else {
        currentX = 0;
        currentY += textHeight();
    }
}

void PrinterCanvas::box(double x1, double y1, double x2, double y2, int drawWidth)
{
    QPen pen(Qt::black);
    pen.setWidthF(drawWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(QPointF(toDevice(x1, false), toDevice(y1, true)),
                              QPointF(toDevice(x2, false), toDevice(y2, true))));
}

void PrinterCanvas::paintPicture(const QImage& picture, double x, double y, double width,
                                 double height)
{
    m_painter.drawImage(QRectF(toDevice(x, false), toDevice(y, true), toDevice(width, false),
                               toDevice(height, true)),
                        picture);
}

bool PrinterCanvas::newPage()
{
    return m_device.newPage();
}

bool PrinterCanvas::paintText(const QTextDocument& text)
{
    // Laid out as on the screen (96 pixels per inch), then scaled to the device: indents and
    // sizes keep their proportions on paper.
    const double scale = m_device.logicalDpiX() / 96.0;
    const QSizeF page(m_device.width() / scale, m_device.height() / scale);
    const std::unique_ptr<QTextDocument> doc(text.clone());
    doc->setPageSize(page);
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    const int pages = doc->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !newPage())
            return false;
        m_painter.save();
        m_painter.scale(scale, scale);
        m_painter.translate(0, -i * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, i * page.height()), page);
        context.palette.setColor(QPalette::Text, Qt::black);
        m_painter.setClipRect(context.clip);
        layout->draw(&m_painter, context);
        m_painter.restore();
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The parameters block

QString sourceText(const BenchParameters& p)
{
    switch (p.source) {
    case Source::Monochromatic:
        return QStringLiteral("monochromatique (longueur d'onde dans le vide ") + p.wavelength +
               QStringLiteral(" nm).");
    case Source::WhiteLight:
        return QStringLiteral("polychromatique blanche (de 400 à 800 nm).");
    case Source::FiveRadiations:
        break;
    }
    return QStringLiteral("5 radiations (400, 500, 600, 700 et 800 nm).");
}

QList<ParameterLine> parameterLines(const BenchParameters& p)
{
    const QString index = QStringLiteral("- indice pour une longueur d'onde de ") + p.wavelength +
                          QStringLiteral(" nm: ");
    return {
        {1, QStringLiteral("Source lumineuse: "), sourceText(p)},
        {},
        {1, QStringLiteral("Le demi-disque: "), {}},
        {2, {}, QStringLiteral("- matériau: ") + p.discMaterial},
        {2, {}, index + p.discIndex},
        {},
        {1, QStringLiteral("Milieu extérieur: "), {}},
        {2, {}, QStringLiteral("- matériau: ") + p.outerMaterial},
        {2, {}, index + p.outerIndex},
    };
}

void impripar(PrinterCanvas& canvas, double y, const BenchParameters& parameters)
{
    canvas.setFontName(QStringLiteral("Arial"));
    canvas.setFontSize(10);
    const double m = canvas.scaleWidth() / 10;
    canvas.currentY = y;
    for (const ParameterLine& line : parameterLines(parameters)) {
        canvas.currentX = line.indent * m;
        if (!line.bold.isEmpty()) {
            canvas.setBold(true);
            canvas.print(line.bold, line.text.isEmpty() ? PrinterCanvas::Then::NextLine
                                                        : PrinterCanvas::Then::SameLine);
            canvas.setBold(false);
        }
        if (!line.text.isEmpty() || line.bold.isEmpty())
            canvas.print(line.text);
    }
}

// ---------------------------------------------------------------------------------------------
// The bench

void layBenchPage(PrinterCanvas& canvas, const BenchPrintout& printout, const BenchLayout& layout)
{
    canvas.setScale(PrinterCanvas::Scale::Pixels);
    // The picture keeps its size on the screen: one screen pixel is this many printer pixels.
    // In miniature, one screen pixel is one printer pixel.
    const double fx = layout.miniature ? 1.0 : ScreenTwipsPerPixel / canvas.twipsPerPixelX();
    const double fy = layout.miniature ? 1.0 : ScreenTwipsPerPixel / canvas.twipsPerPixelY();
    const bool onWhite = layout.onWhite && !printout.whitePicture.isNull();
    QImage picture = onWhite ? printout.whitePicture : printout.picture;
    const double width = picture.width() * fx;
    const double height = picture.height() * fy;
    // At the printer's resolution: one image pixel a printer pixel, up to the finest scale.
    const double scale = std::min(std::max(fx, fy), MostPrintScale);
    if (printout.drawAt && !layout.miniature && scale > 1) {
        const QImage fine = printout.drawAt(scale, onWhite);
        if (!fine.isNull())
            picture = fine;
    }
    const double x =
        layout.centreHorizontally ? (canvas.scaleWidth() - width) / 2 : canvas.scaleWidth() / 10;
    const double y =
        layout.centreVertically ? (canvas.scaleHeight() - height) / 2 : canvas.scaleHeight() / 20;
    canvas.paintPicture(picture, x, y, width, height);
    if (layout.withParameters)
        impripar(canvas, y + height + canvas.scaleHeight() / 20, printout.parameters);
}

namespace {

// One document on the target: begins it, hands its canvas to the layout, ends it.
template <typename Layout> bool printDocument(PrintTarget& target, Layout&& lay)
{
    QPagedPaintDevice* device = target.beginDocument();
    if (!device)
        return false;
    QPainter painter;
    if (!painter.begin(device)) {
        target.abandonDocument();
        return false;
    }
    PrinterCanvas canvas(*device, painter);
    const bool laidOut = lay(canvas);
    const bool ended = painter.end();
    if (!laidOut || !ended) {
        target.abandonDocument();
        return false;
    }
    return target.endDocument();
}

} // namespace

bool printBench(PrintTarget& target, const BenchPrintout& printout, const BenchLayout& layout)
{
    return printDocument(target, [&](PrinterCanvas& canvas) {
        for (int k = 1; k <= layout.copies; ++k) {
            if (k > 1 && !canvas.newPage())
                return false;
            layBenchPage(canvas, printout, layout);
        }
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// The table

TablePrintout tablePrintout(const TableModel& table, int rowHeight, int columnWidth)
{
    TablePrintout out;
    out.rowHeight = rowHeight;
    out.columnWidth = columnWidth;
    out.rows.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table::Columns; ++c)
            row << table.getCell(r, c);
        out.rows << row;
    }
    return out;
}

QList<TableCellPlace> tableRowPlaces(const PrinterCanvas& canvas, const TablePrintout& printout,
                                     int row, double x0, double yTop)
{
    QList<TableCellPlace> out;
    const double h = printout.rowHeight;
    const double cw = printout.columnWidth;
    // The box's line is two device pixels wide around x - 2m and x + cw + m: its inner edges are
    // at x - m and x + cw. The text keeps a digit's width inside them.
    const double m = std::round(canvas.twipsPerPixelX());
    const double margin = canvas.textWidth(QStringLiteral("0"));
    const double room = cw - 2 * margin;
    double x = x0;
    for (int i = 0; i < table::Columns; ++i, x += cw) {
        TableCellPlace cell;
        cell.box = QRectF(QPointF(x - 2 * m, yTop - 2 * m), QPointF(x + cw + m, yTop + h + m));
        QString s = i < printout.rows[row].size() ? printout.rows[row][i].trimmed() : QString();
        // Cut from the right until it fits; halve the work for very long texts first.
        while (s.size() > 1 && canvas.textWidth(s.left(s.size() / 2)) > room)
            s.truncate(s.size() / 2);
        while (!s.isEmpty() && canvas.textWidth(s) > room)
            s.chop(1);
        const double w = canvas.textWidth(s);
        const double left = row == 0 ? x + (cw - w) / 2 : x + cw - margin - w;
        cell.text = s;
        cell.textBox = QRectF(left, yTop + (h - canvas.textHeight(s)) / 2, w, canvas.textHeight(s));
        out << cell;
    }
    return out;
}

namespace {

struct TablePage {
    PrinterCanvas& canvas;
    const TablePrintout& printout;
    int page = 1;
    double y = 0;
    double x0 = 0;

    void head()
    {
        canvas.setFontSize(24);
        canvas.setBold(false);
        QString title = QStringLiteral("Optiphane");
        if (page > 1)
            title += QStringLiteral(" ( ") + QString::number(page) + QStringLiteral(" )");
        canvas.currentX = (canvas.scaleWidth() - canvas.textWidth(title)) / 2;
        canvas.currentY = canvas.scaleHeight() / 20;
        canvas.print(title);
        y = canvas.scaleHeight() / 20 + std::round(2 * canvas.textHeight(title));
        ++page;
        x0 = std::round((canvas.scaleWidth() - table::Columns * printout.columnWidth) / 2.0);
        y += printout.rowHeight;
        canvas.setFontSize(10);
        canvas.setBold(false);
    }

    void row(int r)
    {
        for (const TableCellPlace& cell : tableRowPlaces(canvas, printout, r, x0, y)) {
            canvas.box(cell.box.left(), cell.box.top(), cell.box.right(), cell.box.bottom(), 2);
            canvas.currentX = cell.textBox.left();
            canvas.currentY = cell.textBox.top();
            canvas.print(cell.text);
        }
        y += printout.rowHeight;
    }
};

} // namespace

bool Cletab(PrintTarget& target, const TablePrintout& printout, int copies)
{
    for (int copy = 1; copy <= copies; ++copy) {
        const bool printed = printDocument(target, [&](PrinterCanvas& canvas) {
            canvas.setScale(PrinterCanvas::Scale::Twips);
            canvas.setFontName(QStringLiteral("Arial"));
            TablePage page{canvas, printout};
            page.head();
            for (int r = 0; r < printout.rows.size(); ++r) {
                page.row(r);
                // A new page only when rows remain, so that no page holds its head alone.
                if (page.y > 0.9 * canvas.scaleHeight() && r + 1 < printout.rows.size()) {
                    if (!canvas.newPage())
                        return false;
                    page.head();
                }
            }
            return true;
        });
        if (!printed)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The graph

bool printGraph(PrintTarget& target, const QImage& screenPicture, const GraphPage& page)
{
    return printDocument(target, [&](PrinterCanvas& canvas) {
        canvas.setScale(PrinterCanvas::Scale::Pixels);
        const double f = std::round(ScreenTwipsPerPixel / canvas.twipsPerPixelX());
        // Finer for the printer: the plot drawn again at half the printer's resolution (300 dpi
        // on a 600 dpi page), in the same place. Its lines and texts are smooth there; the full
        // resolution would take the PDF writer's lossless image path four times as long.
        QImage fine;
        const double scale = std::min(std::floor(f / 2), MostPrintScale);
        if (page.drawAt && scale > 1)
            fine = page.drawAt(scale);
        const QImage& drawn = fine.isNull() ? screenPicture : fine;
        const QImage& picture = screenPicture;
        const double left = std::round((canvas.scaleWidth() - f * picture.width()) / 2);
        if (page.title.isEmpty() && page.equations.isEmpty() && page.points.empty()) {
            const double top = std::round((canvas.scaleHeight() - f * picture.height()) / 2);
            canvas.paintPicture(drawn, left, top, f * picture.width(), f * picture.height());
            return true;
        }
        // A centimetre from the top (the device's own margins apart).
        const double margin = std::round(567.0 / canvas.twipsPerPixelY());
        canvas.setFontName(QStringLiteral("Liberation Sans"));
        double y = margin;
        const auto centred = [&](const QString& text, double points, bool bold) {
            canvas.setFontSize(points);
            canvas.setBold(bold);
            canvas.currentX = std::round((canvas.scaleWidth() - canvas.textWidth(text)) / 2);
            canvas.currentY = y;
            canvas.print(text, PrinterCanvas::Then::SameLine);
            y += canvas.textHeight(text) * 1.3;
        };
        if (!page.title.isEmpty())
            centred(page.title, 14, true);
        canvas.paintPicture(drawn, left, y, f * picture.width(), f * picture.height());
        y += f * picture.height() + canvas.textHeight(QStringLiteral("0")) * 0.5;
        for (const QString& line : page.equations)
            centred(line, 11, false);
        if (page.points.empty())
            return true;

        canvas.setFontSize(10);
        const double column = std::round(1700.0 / canvas.twipsPerPixelX()); // 3 cm
        const double tableLeft = std::round((canvas.scaleWidth() - 2 * column) / 2);
        const double lineHeight = canvas.textHeight(QStringLiteral("0")) * 1.2;
        y += lineHeight;
        const auto row = [&](const QStringList& cells, bool bold) {
            if (y + lineHeight > canvas.scaleHeight() - margin) {
                if (!canvas.newPage())
                    return false;
                y = margin;
            }
            canvas.setBold(bold);
            for (int c = 0; c < 2 && c < cells.size(); ++c) {
                // Right-aligned, a digit's width from the column's right edge.
                const double right =
                    tableLeft + (c + 1) * column - canvas.textWidth(QStringLiteral("0"));
                canvas.currentX = right - canvas.textWidth(cells[c]);
                canvas.currentY = y;
                canvas.print(cells[c], PrinterCanvas::Then::SameLine);
            }
            y += lineHeight;
            return true;
        };
        if (!row(page.pointsHeader, true))
            return false;
        for (const QStringList& cells : page.points)
            if (!row(cells, false))
                return false;
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// Rich text

bool printText(PrintTarget& target, const QTextDocument& text)
{
    return printDocument(target, [&](PrinterCanvas& canvas) { return canvas.paintText(text); });
}

} // namespace print
