// SPDX-License-Identifier: GPL-3.0-or-later
// The printouts written into PDF files and read back with poppler: the bench picture's place and
// size on the page in each option, the parameters block, copies as pages or as documents, the
// table's page heads, its cut texts and alignments, the graph centred, and paths that cannot be
// written.
#include "core/print/printlayout.h"
#include "core/table/tablemodel.h"
#include "support/poppler.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

QImage blackSquare(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

print::BenchPrintout startBench(QImage picture = blackSquare(404))
{
    print::BenchPrintout out;
    out.picture = std::move(picture);
    out.parameters.discMaterial = QStringLiteral("Verre Crown");
    out.parameters.discIndex = QStringLiteral("n = 1,506516");
    out.parameters.outerMaterial = QStringLiteral("Air");
    out.parameters.outerIndex = QStringLiteral("n = 1,000277");
    return out;
}

// The box of the dark pixels of page 1, in millimetres from the page's corner.
QRectF darkBoxMm(const QString& path)
{
    const QImage page = poppler::render(path, 1, 72);
    const QRect box = poppler::darkBox(page);
    return QRectF(box.x() / kPointsPerMm, box.y() / kPointsPerMm, box.width() / kPointsPerMm,
                  box.height() / kPointsPerMm);
}

const poppler::Word* findWord(const QList<poppler::Word>& words, const QString& text, int page = 1)
{
    for (const poppler::Word& w : words)
        if (w.page == page && w.text == text)
            return &w;
    return nullptr;
}

// The rows of `pdfimages -list`, one an image, without its two header lines.
QStringList imageRows(const QString& path)
{
    return QString::fromUtf8(
               poppler::run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path}))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .mid(2);
}

QStringList lines(const QString& text)
{
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            out << line.simplified();
    return out;
}

} // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString pdf(const QString& name) { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY2(poppler::available(), "poppler-utils is not installed"); }

    // The picture keeps its size on the screen (404 pixels at 96 per inch, 106.9 mm), or one
    // printer pixel per screen pixel in miniature (404 / 600 inch, 17.1 mm); the page is A4 with
    // margins of 10 mm, so the printable area is 190 × 277 mm.
    void bench_picture_place_data()
    {
        QTest::addColumn<bool>("centreH");
        QTest::addColumn<bool>("centreV");
        QTest::addColumn<bool>("miniature");
        QTest::addColumn<QRectF>("expectedMm");
        QTest::newRow("start options: centred across, a twentieth down")
            << true << false << false << QRectF(51.55, 23.85, 106.90, 106.90);
        QTest::newRow("not centred: a tenth of the width from the left")
            << false << false << false << QRectF(29.00, 23.85, 106.90, 106.90);
        QTest::newRow("centred both ways")
            << true << true << false << QRectF(51.55, 95.05, 106.90, 106.90);
        QTest::newRow("miniature, centred across")
            << true << false << true << QRectF(96.45, 23.85, 17.10, 17.10);
        QTest::newRow("miniature, centred both ways")
            << true << true << true << QRectF(96.45, 139.95, 17.10, 17.10);
        QTest::newRow("miniature, not centred")
            << false << false << true << QRectF(29.00, 23.85, 17.10, 17.10);
    }
    void bench_picture_place()
    {
        QFETCH(bool, centreH);
        QFETCH(bool, centreV);
        QFETCH(bool, miniature);
        QFETCH(QRectF, expectedMm);
        print::BenchLayout layout;
        layout.centreHorizontally = centreH;
        layout.centreVertically = centreV;
        layout.miniature = miniature;
        layout.withParameters = false;
        const QString path = pdf(QStringLiteral("place.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::printBench(target, startBench(), layout));
        QCOMPARE(poppler::pages(path), 1);
        const QRectF got = darkBoxMm(path);
        const double tolerance = 0.7; // two pixels of the 72-dpi rendering
        QVERIFY2(qAbs(got.left() - expectedMm.left()) < tolerance,
                 qPrintable(QString::number(got.left())));
        QVERIFY2(qAbs(got.top() - expectedMm.top()) < tolerance,
                 qPrintable(QString::number(got.top())));
        QVERIFY2(qAbs(got.width() - expectedMm.width()) < tolerance,
                 qPrintable(QString::number(got.width())));
        QVERIFY2(qAbs(got.height() - expectedMm.height()) < tolerance,
                 qPrintable(QString::number(got.height())));
        // Without the parameters, the picture is all the page holds.
        QVERIFY(poppler::text(path).trimmed().isEmpty());
    }

    // The parameters block: the bold heads, the source's sentence and the index read-outs, one
    // twentieth of the page below the picture, at one and two tenths of the width.
    void parameters_block_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("wavelength");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("monochromatic, start state")
            << int(Source::Monochromatic) << QStringLiteral("589")
            << QStringLiteral(
                   "Source lumineuse: monochromatique (longueur d'onde dans le vide 589 nm).");
        QTest::newRow("monochromatic, 400 nm")
            << int(Source::Monochromatic) << QStringLiteral("400")
            << QStringLiteral(
                   "Source lumineuse: monochromatique (longueur d'onde dans le vide 400 nm).");
        QTest::newRow("white light")
            << int(Source::WhiteLight) << QStringLiteral("589")
            << QStringLiteral("Source lumineuse: polychromatique blanche (de 400 à 800 nm).");
        QTest::newRow("five radiations")
            << int(Source::FiveRadiations) << QStringLiteral("589")
            << QStringLiteral("Source lumineuse: 5 radiations (400, 500, 600, 700 et 800 nm).");
    }
    void parameters_block()
    {
        QFETCH(int, source);
        QFETCH(QString, wavelength);
        QFETCH(QString, firstLine);
        print::BenchPrintout printout = startBench();
        printout.parameters.source = Source(source);
        printout.parameters.wavelength = wavelength;
        const QString path = pdf(QStringLiteral("parameters.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::printBench(target, printout, {}));
        const QString index = QStringLiteral("- indice pour une longueur d'onde de ") + wavelength;
        QCOMPARE(
            lines(poppler::text(path)),
            QStringList({firstLine, QStringLiteral("Le demi-disque:"),
                         QStringLiteral("- matériau: Verre Crown"),
                         index + QStringLiteral(" nm: n = 1,506516"),
                         QStringLiteral("Milieu extérieur:"), QStringLiteral("- matériau: Air"),
                         index + QStringLiteral(" nm: n = 1,000277")}));

        // Picture from 23.85 to 130.75 mm, then a twentieth of 277 mm: the block starts at
        // 144.6 mm; heads at 10 + 19 mm, the lines under them at 10 + 38 mm.
        const QList<poppler::Word> words = poppler::words(path);
        const poppler::Word* head = findWord(words, QStringLiteral("Source"));
        QVERIFY(head);
        QVERIFY2(qAbs(head->box.top() / kPointsPerMm - 144.6) < 1.0,
                 qPrintable(QString::number(head->box.top() / kPointsPerMm)));
        QVERIFY(qAbs(head->box.left() / kPointsPerMm - 29.0) < 0.3);
        const poppler::Word* material = findWord(words, QStringLiteral("matériau:"));
        QVERIFY(material);
        QVERIFY(material->box.left() / kPointsPerMm > 48.0);
        QVERIFY(material->box.top() > head->box.bottom());
        // The heads are bold: the file holds the bold face beside the regular one.
        const QString fonts = QString::fromUtf8(poppler::run(QStringLiteral("pdffonts"), {path}));
        QVERIFY2(fonts.contains(QStringLiteral("Bold")), qPrintable(fonts));
    }

    // Copies of the bench are pages of one document; copies of the table are documents of their
    // own, each headed "Optiphane"; nothing is printed twice.
    void copies_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("pagesEach");
        QTest::newRow("bench, one copy") << false << 1 << 1 << 1;
        QTest::newRow("bench, three copies: three pages") << false << 3 << 1 << 3;
        QTest::newRow("bench, 99 copies") << false << 99 << 1 << 99;
        QTest::newRow("table, one copy") << true << 1 << 1 << 1;
        QTest::newRow("table, three copies: three documents") << true << 3 << 3 << 1;
    }
    void copies()
    {
        QFETCH(bool, table);
        QFETCH(int, copies);
        QFETCH(int, documents);
        QFETCH(int, pagesEach);
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("copies.pdf"));
        print::PdfTarget target(path);
        print::BenchLayout layout;
        layout.copies = copies;
        const bool printed =
            table ? print::Cletab(target, print::tablePrintout(TableModel{}, 270, 1015), copies)
                  : print::printBench(target, startBench(), layout);
        QVERIFY(printed);
        QCOMPARE(target.paths().size(), documents);
        QCOMPARE(QDir(here.path()).entryList(QDir::Files).size(), documents);
        for (const QString& file : target.paths()) {
            QCOMPARE(poppler::pages(file), pagesEach);
            const QString text = poppler::text(file);
            QCOMPARE(text.count(table ? QStringLiteral("Optiphane")
                                      : QStringLiteral("Source lumineuse")),
                     pagesEach);
        }
    }

    void document_paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first keeps its name") << "/tmp/fiche.pdf" << 1 << "/tmp/fiche.pdf";
        QTest::newRow("second") << "/tmp/fiche.pdf" << 2 << "/tmp/fiche-2.pdf";
        QTest::newRow("twelfth") << "fiche.PDF" << 12 << "fiche-12.PDF";
        QTest::newRow("no extension") << "/tmp/fiche" << 3 << "/tmp/fiche-3";
        QTest::newRow("dot in a folder only") << "/tmp/a.b/fiche" << 2 << "/tmp/a.b/fiche-2";
        QTest::newRow("two dots") << "tp.optique.pdf" << 2 << "tp.optique-2.pdf";
    }
    void document_paths()
    {
        QFETCH(QString, path);
        QFETCH(int, index);
        QFETCH(QString, expected);
        QCOMPARE(print::PdfTarget::documentPath(path, index), expected);
    }

    // 100 rows: the first page is headed "Optiphane" alone, the next ones carry their number; a
    // page ends once the rows pass 90 % of its height, and the title row is not repeated.
    void long_table_pages()
    {
        TableModel table;
        table.setRowCount(101);
        for (int r = 1; r <= 100; ++r)
            for (int c = 0; c < 5; ++c)
                table.setCell(r, c, QString::number(r * 10 + c + 1));
        const QString path = pdf(QStringLiteral("long.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::Cletab(target, print::tablePrintout(table, 270, 1015), 1));
        QCOMPARE(poppler::pages(path), 3);
        const QStringList page1 = lines(poppler::text(path, 1));
        const QStringList page2 = lines(poppler::text(path, 2));
        const QStringList page3 = lines(poppler::text(path, 3));
        QCOMPARE(page1.first(), QStringLiteral("Optiphane"));
        QCOMPARE(page1.at(1), QStringLiteral("C1 C2 C3 C4 C5"));
        QCOMPARE(page1.at(2), QStringLiteral("11 12 13 14 15"));
        QCOMPARE(page2.first(), QStringLiteral("Optiphane ( 2 )"));
        QCOMPARE(page3.first(), QStringLiteral("Optiphane ( 3 )"));
        QVERIFY(!page2.contains(QStringLiteral("C1 C2 C3 C4 C5")));
        // Rows follow each other across the pages, each exactly once.
        QCOMPARE(page1.last(), QStringLiteral("441 442 443 444 445"));
        QCOMPARE(page2.at(1), QStringLiteral("451 452 453 454 455"));
        QCOMPARE(page3.last(), QStringLiteral("1001 1002 1003 1004 1005"));
        QCOMPARE(page1.size() + page2.size() + page3.size(), 3 + 1 + 100);
    }

    // A table that ends right past 90 % of a page gets no page holding its head alone.
    void no_page_for_the_head_alone()
    {
        TableModel table;
        table.setRowCount(45); // the title row and 44 rows end page 1 past 90 % (see above)
        const QString path = pdf(QStringLiteral("exact.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::Cletab(target, print::tablePrintout(table, 270, 1015), 1));
        QCOMPARE(poppler::pages(path), 1);
    }

    // Titles are centred in their column, numbers right-aligned a digit's width from its right
    // edge, and a text wider than the column less those margins is cut from the right.
    void table_cells()
    {
        TableModel table;
        table.setRowCount(3);
        table.setCell(0, 0, QStringLiteral("Angle d'incidence i en degrés ").repeated(4).left(126));
        table.setCell(0, 1, QStringLiteral("i"));
        table.setCell(1, 1, QStringLiteral("5"));
        table.setCell(2, 1, QStringLiteral("123456"));
        table.setCell(1, 2, QStringLiteral("  7,5  "));
        const QString path = pdf(QStringLiteral("cells.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::Cletab(target, print::tablePrintout(table, 270, 1015), 1));
        const QList<poppler::Word> words = poppler::words(path);
        // The 126-character title keeps what fits in 1015 twips (17.9 mm) less two digits at 10
        // points.
        const QStringList page = lines(poppler::text(path));
        QCOMPARE(page.at(1), QStringLiteral("Angle d'i i C3 C4 C5"));
        // Column 2 spans 1015 twips from x0 + 1015; x0 centres the five columns in 190 mm.
        const double columnWidthMm = 1015 / 1440.0 * 25.4;
        const double x0Mm = 10 + (190 - 5 * columnWidthMm) / 2;
        const double column2CentreMm = x0Mm + 1.5 * columnWidthMm;
        const poppler::Word* title = findWord(words, QStringLiteral("i"));
        QVERIFY(title);
        QVERIFY(qAbs(title->box.center().x() / kPointsPerMm - column2CentreMm) < 0.3);
        const poppler::Word* five = findWord(words, QStringLiteral("5"));
        const poppler::Word* big = findWord(words, QStringLiteral("123456"));
        QVERIFY(five && big);
        QVERIFY(qAbs(five->box.right() - big->box.right()) < 0.2);
        const double rightMm = x0Mm + 2 * columnWidthMm;
        // A digit of Arial at 10 points is 5.56 points (1.96 mm) wide.
        const double gapMm = rightMm - big->box.right() / kPointsPerMm;
        QVERIFY2(gapMm > 1.8 && gapMm < 2.5, qPrintable(QString::number(gapMm)));
        // Spaces around a text are dropped before it is placed.
        const poppler::Word* trimmed = findWord(words, QStringLiteral("7,5"));
        QVERIFY(trimmed);
        QVERIFY(qAbs(trimmed->box.right() - big->box.right() - columnWidthMm * kPointsPerMm) < 0.3);
    }

    // Every text of the table keeps at least a digit's width between itself and its box's
    // inner edges (the line is two device pixels wide), whatever its length: a number is not
    // glued to the right border, a long title is cut short of both borders.
    void table_margins_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("short number") << 1 << QStringLiteral("5");
        QTest::newRow("number filling the column") << 1 << QStringLiteral("123456,7890");
        QTest::newRow("long number cut") << 1 << QStringLiteral("1234567890123456,789");
        QTest::newRow("short title") << 0 << QStringLiteral("i");
        QTest::newRow("long title cut") << 0 << QStringLiteral("Angle d'incidence i en degrés");
    }
    void table_margins()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        print::TablePrintout printout;
        printout.rows = {QStringList(5, QStringLiteral("C")), QStringList(5, QString())};
        for (QString& cell : printout.rows[row])
            cell = text;
        print::PdfTarget target(pdf(QStringLiteral("margins.pdf")));
        QPagedPaintDevice* device = target.beginDocument();
        QVERIFY(device);
        QPainter painter(device);
        print::PrinterCanvas canvas(*device, painter);
        canvas.setScale(print::PrinterCanvas::Scale::Twips);
        canvas.setFontName(QStringLiteral("Arial"));
        canvas.setFontSize(10);
        const double digit = canvas.textWidth(QStringLiteral("0"));
        const double line = canvas.twipsPerPixelX(); // half the line's width
        QVERIFY(digit > 50);                         // about 111 twips at 10 points
        const QList<print::TableCellPlace> cells =
            print::tableRowPlaces(canvas, printout, row, 1000, 2000);
        QCOMPARE(cells.size(), 5);
        for (const print::TableCellPlace& cell : cells) {
            QVERIFY(!cell.text.isEmpty());
            QVERIFY(text.startsWith(cell.text));
            QVERIFY(qAbs(cell.textBox.width() - canvas.textWidth(cell.text)) < 0.01);
            const double left = cell.textBox.left() - (cell.box.left() + line);
            const double right = (cell.box.right() - line) - cell.textBox.right();
            QVERIFY2(left >= digit - 0.5, qPrintable(QString::number(left)));
            QVERIFY2(right >= digit - 0.5, qPrintable(QString::number(right)));
            QVERIFY(cell.textBox.top() >= cell.box.top() &&
                    cell.textBox.bottom() <= cell.box.bottom());
        }
        // The boxes follow each other, one column width apart.
        QCOMPARE(cells[1].box.left() - cells[0].box.left(), double(printout.columnWidth));
        painter.end();
        target.abandonDocument();
    }

    // The pictures are stored in the PDF without loss (Flate), never as JPEG, and a page with a
    // picture full of colours stays under 1 MB.
    void pictures_lossless_data()
    {
        QTest::addColumn<bool>("graph");
        QTest::newRow("bench") << false;
        QTest::newRow("graph") << true;
    }
    void pictures_lossless()
    {
        QFETCH(bool, graph);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("pdfimages (poppler-utils) is not installed");
        // Smooth shades (what JPEG would be chosen for) crossed by thin coloured lines.
        QImage picture(graph ? 501 : 404, 404, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(
                    x, y,
                    x % 37 == 0 ? qRgb(255, 0, 0)
                                : qRgb(x * 255 / picture.width(), y * 255 / picture.height(), 128));
        const QString path = pdf(graph ? QStringLiteral("lossless-graph.pdf")
                                       : QStringLiteral("lossless-bench.pdf"));
        print::PdfTarget target(path);
        QVERIFY(graph ? print::printGraph(target, picture)
                      : print::printBench(target, startBench(picture), {}));
        const QString list = QString::fromUtf8(
            poppler::run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path}));
        const QStringList rows = list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QCOMPARE(rows.size(), 1);
        const QStringList fields = rows[0].simplified().split(QLatin1Char(' '));
        QVERIFY2(fields.size() > 8, qPrintable(rows[0]));
        QCOMPARE(fields[3].toInt(), picture.width());
        QCOMPARE(fields[8], QStringLiteral("image")); // the encoding column: not "jpeg"
        QVERIFY(!list.contains(QStringLiteral("jpeg")));
        QVERIFY(QFileInfo(path).size() < 1024 * 1024);
    }

    // The bench is drawn again at the printer's resolution (a 600 dpi page gets 6,25 image
    // pixels a screen pixel, up to the finest scale) and printed at the same place and size; in
    // miniature, one printer pixel a screen pixel already.
    void bench_at_printer_resolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("miniature");
        QTest::addColumn<bool>("onWhite");
        QTest::addColumn<int>("imageWidth");
        QTest::newRow("600 dpi") << 600 << false << false << 2525;
        QTest::newRow("300 dpi") << 300 << false << false << 1263;
        QTest::newRow("1200 dpi: the finest scale") << 1200 << false << false << 3232;
        QTest::newRow("600 dpi on white") << 600 << false << true << 2525;
        QTest::newRow("miniature") << 600 << true << false << 404;
    }
    void bench_at_printer_resolution()
    {
        QFETCH(int, dpi);
        QFETCH(bool, miniature);
        QFETCH(bool, onWhite);
        QFETCH(int, imageWidth);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("pdfimages (poppler-utils) is not installed");
        print::BenchPrintout printout = startBench();
        printout.whitePicture = blackSquare(404);
        bool askedOnWhite = !onWhite;
        printout.drawAt = [&](double scale, bool white) {
            askedOnWhite = white;
            return blackSquare(int(std::ceil(404 * scale)));
        };
        print::BenchLayout layout;
        layout.withParameters = false;
        layout.miniature = miniature;
        layout.onWhite = onWhite;
        const QString path = pdf(QStringLiteral("resolution.pdf"));
        print::PdfTarget target(path, dpi);
        QVERIFY(print::printBench(target, printout, layout));
        const QStringList rows = imageRows(path);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].simplified().split(QLatin1Char(' '))[3].toInt(), imageWidth);
        if (!miniature) {
            QCOMPARE(askedOnWhite, onWhite);
            QVERIFY2(qAbs(darkBoxMm(path).width() - 106.9) < 0.7,
                     qPrintable(QString::number(darkBoxMm(path).width())));
        }
    }

    // "Imprimer sur fond blanc" prints the white picture; without it, or without a white
    // picture, the picture as it is.
    void bench_on_white_data()
    {
        QTest::addColumn<bool>("onWhite");
        QTest::addColumn<bool>("withWhitePicture");
        QTest::addColumn<bool>("dark");
        QTest::newRow("as shown") << false << true << true;
        QTest::newRow("on white") << true << true << false;
        QTest::newRow("on white, none given") << true << false << true;
    }
    void bench_on_white()
    {
        QFETCH(bool, onWhite);
        QFETCH(bool, withWhitePicture);
        QFETCH(bool, dark);
        print::BenchPrintout printout = startBench();
        if (withWhitePicture) {
            printout.whitePicture = QImage(404, 404, QImage::Format_RGB32);
            printout.whitePicture.fill(Qt::white);
        }
        print::BenchLayout layout;
        layout.withParameters = false;
        layout.onWhite = onWhite;
        const QString path = pdf(QStringLiteral("white.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::printBench(target, printout, layout));
        QCOMPARE(darkBoxMm(path).isEmpty(), !dark);
    }

    // The graph: six printer pixels per screen pixel at 600 dots per inch (15 / 2.4 rounded),
    // centred on the page.
    void graph_centred()
    {
        const QString path = pdf(QStringLiteral("graph.pdf"));
        print::PdfTarget target(path);
        QVERIFY(print::printGraph(target, blackSquare(501)));
        QCOMPARE(poppler::pages(path), 1);
        const QRectF got = darkBoxMm(path);
        QVERIFY2(qAbs(got.left() - 41.37) < 0.7, qPrintable(QString::number(got.left())));
        QVERIFY2(qAbs(got.top() - 84.89) < 0.7, qPrintable(QString::number(got.top())));
        QVERIFY(qAbs(got.width() - 127.25) < 0.7);
    }

    // The graph's plot is drawn again finer for the printer (three image pixels a screen pixel
    // at 600 dpi), at the same place and size.
    void graph_drawn_for_the_printer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("pdfimages (poppler-utils) is not installed");
        const QString path = pdf(QStringLiteral("graph-fine.pdf"));
        print::PdfTarget target(path);
        print::GraphPage page;
        double asked = 0;
        page.drawAt = [&asked](double scale) {
            asked = scale;
            return blackSquare(int(501 * scale));
        };
        QVERIFY(print::printGraph(target, blackSquare(501), page));
        QCOMPARE(asked, 3.0);
        const QStringList rows = imageRows(path);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].simplified().split(QLatin1Char(' '))[3].toInt(), 1503);
        QVERIFY(qAbs(darkBoxMm(path).width() - 127.25) < 0.7);
    }

    // The graph as a report's page: the title, the equation and the points' table are text a
    // reader finds; 60 points run onto a second page.
    void graph_page_reads_on_its_own()
    {
        const QString path = pdf(QStringLiteral("graph-page.pdf"));
        print::GraphPage page;
        page.title = QStringLiteral("sin i en fonction de sin r");
        page.equations = {
            QStringLiteral("Droite de régression : y = 1,4835 x + 0,0044     r = 0,9998")};
        page.pointsHeader = {QStringLiteral("sin r"), QStringLiteral("sin i")};
        for (int i = 0; i < 60; ++i)
            page.points.push_back(
                {QStringLiteral("0,%1").arg(100 + i), QStringLiteral("1,%1").arg(i)});
        print::PdfTarget target(path);
        QVERIFY(print::printGraph(target, blackSquare(501), page));
        QCOMPARE(poppler::pages(path), 2);
        const QString first = poppler::text(path, 1);
        for (const QString& wanted : {page.title, QStringLiteral("y = 1,4835 x + 0,0044"),
                                      QStringLiteral("sin r"), QStringLiteral("0,100")})
            QVERIFY2(first.contains(wanted), qPrintable(wanted));
        QVERIFY(poppler::text(path, 2).contains(QStringLiteral("0,159")));
    }

    // A file that cannot be written is a failed printout, not a silent one.
    void unwritable_paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << QStringLiteral("/nonexistent-folder/fiche.pdf");
        QTest::newRow("a folder") << QDir::tempPath();
        QTest::newRow("empty name") << QString();
    }
    void unwritable_paths()
    {
        QFETCH(QString, path);
        print::PdfTarget bench(path);
        QVERIFY(!print::printBench(bench, startBench(), {}));
        print::PdfTarget table(path);
        QVERIFY(!print::Cletab(table, print::tablePrintout(TableModel{}, 270, 1015), 3));
        QCOMPARE(table.documentsBegun(), 1); // the first failure stops the copies
        QVERIFY(table.paths().isEmpty());
        print::PdfTarget graph(path);
        QVERIFY(!print::printGraph(graph, blackSquare(501)));
    }

    // The parameters block's lines as data: bold heads, indents, blank lines.
    void parameter_lines()
    {
        print::BenchParameters p;
        p.discMaterial = QStringLiteral("Eau");
        p.discIndex = QStringLiteral("n = 1,333");
        p.outerMaterial = QStringLiteral("Air");
        p.outerIndex = QStringLiteral("n = 1,000");
        const QList<print::ParameterLine> got = print::parameterLines(p);
        QCOMPARE(got.size(), 9);
        QCOMPARE(got[0].indent, 1);
        QCOMPARE(got[0].bold, QStringLiteral("Source lumineuse: "));
        QCOMPARE(got[1].indent, 0);
        QCOMPARE(got[2].bold, QStringLiteral("Le demi-disque: "));
        QCOMPARE(got[3].indent, 2);
        QCOMPARE(got[3].text, QStringLiteral("- matériau: Eau"));
        QCOMPARE(got[4].text,
                 QStringLiteral("- indice pour une longueur d'onde de 589 nm: n = 1,333"));
        QCOMPARE(got[5].indent, 0);
        QCOMPARE(got[6].bold, QStringLiteral("Milieu extérieur: "));
        QCOMPARE(got[8].text,
                 QStringLiteral("- indice pour une longueur d'onde de 589 nm: n = 1,000"));
    }
};

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
