// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures and tables of a statement: read from what word processors write, shown at their size,
// damaged ones as placeholders, and written back with their own bytes and cells.
#include "core/exercises/rtfpicture.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

QImage figure(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    return image;
}

const QByteArray& png()
{
    static const QByteArray bytes = encoded(figure(40, 20), "PNG");
    return bytes;
}

const QByteArray& jpeg()
{
    static const QByteArray bytes = encoded(figure(30, 30), "JPEG");
    return bytes;
}

QByteArray pict(const QByteArray& words, const QByteArray& data)
{
    return "{\\pict" + words + "\n" + data.toHex() + "}";
}

QByteArray statement(const QByteArray& body)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}" + body + "}";
}

QString describePicture(const QTextImageFormat& f)
{
    return QStringLiteral("[%1%2 %3x%4]")
        .arg(QString::fromLatin1(f.property(rtf::PictureKind).toByteArray()),
             f.name().startsWith(QLatin1String("rtfpict:cadre")) ? " cadre" : "")
        .arg(f.width())
        .arg(f.height());
}

QString describeBlock(const QTextBlock& block)
{
    QString text;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                text += describePicture(fragment.charFormat().toImageFormat());
        } else {
            text += fragment.text();
        }
    }
    return text;
}

// The document's paragraphs and tables: a table as its size, border, then each cell that begins
// at its place with its span and text (paragraphs joined by "/").
QStringList layout(const QTextDocument& document)
{
    QStringList lines;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            lines.append(QStringLiteral("table %1x%2%3")
                             .arg(table->rows())
                             .arg(table->columns())
                             .arg(table->format().border() > 0 ? " bordée" : ""));
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue;
                    QStringList texts;
                    for (QTextBlock b = document.findBlock(cell.firstPosition());
                         b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                        texts.append(describeBlock(b));
                    QString span;
                    if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                        span = QStringLiteral("<%1x%2>").arg(cell.rowSpan()).arg(cell.columnSpan());
                    cells.append(span + texts.join(QLatin1Char('/')));
                }
                lines.append(QStringLiteral("| ") + cells.join(QLatin1String(" | ")));
            }
        } else if (it.currentFrame() == nullptr) {
            lines.append(describeBlock(it.currentBlock()));
        }
    }
    return lines;
}

QList<QByteArray> pictureBytes(const QTextDocument& document)
{
    QList<QByteArray> bytes;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                bytes.append(f.property(rtf::PictureData).toByteArray());
        }
    }
    return bytes;
}

QByteArray sample(const QString& name)
{
    QFile file(qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/exercises/data/") +
               name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return file.readAll();
}

// The pixels of the first shown picture of the document, decoded from its resource.
QImage firstImage(QTextDocument& document)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QVariant resource =
                document.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()));
            if (resource.userType() == QMetaType::QImage)
                return resource.value<QImage>();
            QImage image;
            image.loadFromData(resource.toByteArray());
            return image;
        }
    }
    return {};
}

} // namespace

class TestRtfObjects : public QObject {
    Q_OBJECT
private slots:
    void reads_and_keeps_pictures_data();
    void reads_and_keeps_pictures();
    void reads_and_keeps_tables_data();
    void reads_and_keeps_tables();
    void libreoffice_sample_keeps_its_pictures_and_cells();
    void metafile_is_written_back_byte_for_byte();
    void pasted_image_is_saved_as_png();
    void image_without_bytes_is_saved_as_png();
    void large_pictures_and_tables_stay_quick();
    void pictures_past_the_bounds_are_placeholders();
};

void TestRtfObjects::reads_and_keeps_pictures_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const QByteArray& body, const QStringList& expected) {
        QTest::newRow(name) << body << expected;
    };
    row("PNG at its goal size",
        "a" + pict("\\pngblip\\picw40\\pich20\\picwgoal900\\pichgoal450", png()) + "b",
        {"a[png 60x30]b"});
    row("PNG scaled", pict("\\picscalex50\\picscaley200\\pngblip\\picwgoal900\\pichgoal450", png()),
        {"[png 30x60]"});
    row("PNG at its own size", pict("\\pngblip", png()), {"[png 40x20]"});
    row("JPEG as \\bin bytes",
        "{\\pict\\jpegblip\\picwgoal450\\pichgoal450\\bin" + QByteArray::number(jpeg().size()) +
            " " + jpeg() + "}x",
        {"[jpeg 30x30]x"});
    row("hex split over lines, upper case, blanks",
        "{\\pict\\pngblip " + png().toHex().toUpper().replace("00", "0 0\r\n") + "}",
        {"[png 40x20]"});
    row("a picture given twice is read once, from \\shppict",
        "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv "
        "1}}}\\pngblip\\picwgoal600\\pichgoal300 " +
            png().toHex() + "}}{\\nonshppict{\\pict\\wmetafile8\\picwgoal600\\pichgoal300 0102}}",
        {"[png 40x20]"});
    row("a metafile is a placeholder of its size",
        pict("\\wmetafile8\\picw2540\\pich1270", "\x01\x00\x09\x00"), {"[wmetafile cadre 96x48]"});
    row("an EMF at its goal size", pict("\\emfblip\\picwgoal1500\\pichgoal750", "EMF"),
        {"[emfblip cadre 100x50]"});
    row("corrupt hex gives a placeholder",
        "{\\pict\\pngblip\\picwgoal300\\pichgoal300 " + png().toHex().replace('a', 'z') + "}",
        {"[png cadre 20x20]"});
    row("a truncated PNG gives a placeholder",
        pict("\\pngblip\\picwgoal300\\pichgoal300", png().left(png().size() - 20)),
        {"[png cadre 20x20]"});
    row("a JPEG without its end gives a placeholder",
        pict("\\jpegblip\\picwgoal300\\pichgoal300", jpeg().left(100)), {"[jpeg cadre 20x20]"});
    row("a goal of 2^31 pixels is bounded",
        pict("\\pngblip\\picwgoal2147483647\\pichgoal2147483647", png()), {"[png 2000x2000]"});
    row("a huge goal keeps the picture's shape",
        pict("\\pngblip\\picwgoal99999999\\pichgoal9999999", png()), {"[png 2000x200]"});
    row("a negative scale and goal", pict("\\pngblip\\picwgoal-5\\picscalex-300", png()),
        {"[png 1x20]"});
    row("a huge metafile size", pict("\\wmetafile8\\picw999999999\\pich999999999", "x"),
        {"[wmetafile cadre 2000x2000]"});
    row("no format word: a placeholder kept as read", pict("\\picw100\\pich100", "ab"),
        {"[ cadre 4x4]"});
    row("an empty picture", "{\\pict}", {"[ cadre 100x100]"});
    row("the file ends inside the picture", "a{\\pict\\pngblip " + png().toHex(), {"a[png 40x20]"});
    row("hidden pictures are left out", "{\\v " + pict("\\pngblip", png()) + "}b", {"b"});
    row("a picture inside a picture is left out",
        "{\\pict\\pngblip{\\pict\\jpegblip 00}" + png().toHex() + "}", {"[png 40x20]"});
}

void TestRtfObjects::reads_and_keeps_pictures()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);
    QTextDocument document;
    QCOMPARE(rtf::read(statement(body), document), rtf::ReadStatus::Read);
    QCOMPARE(layout(document), expected);
    // A save writes each picture back with its bytes, shown at the same size.
    const QByteArray saved = rtf::write(document);
    QTextDocument again;
    QCOMPARE(rtf::read(saved, again), rtf::ReadStatus::Read);
    QCOMPARE(layout(again), expected);
    QCOMPARE(pictureBytes(again), pictureBytes(document));
}

void TestRtfObjects::reads_and_keeps_tables_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const QByteArray& body, const QStringList& expected) {
        QTest::newRow(name) << body << expected;
    };
    const QByteArray borders =
        "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs";
    row("two rows of two cells, bordered",
        "avant\\par\\trowd" + borders + "\\cellx2000" + borders +
            "\\cellx4000\\pard\\intbl a\\cell b\\cell\\row\\trowd" + borders + "\\cellx2000" +
            borders + "\\cellx4000\\pard\\intbl c\\cell d\\cell\\row\\pard apres\\par",
        {"avant", "table 2x2 bordée", "| a | b", "| c | d", "apres"});
    row("no border", "\\trowd\\cellx1000\\pard\\intbl x\\cell\\row\\pard z",
        {"", "table 1x1", "| x", "z"});
    row("paragraphs inside a cell",
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl un\\par deux\\cell trois\\cell\\row",
        {"", "table 1x2", "| un/deux | trois", ""});
    row("a wider cell merges columns, as LibreOffice writes it",
        "\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\cell B\\cell\\row"
        "\\trowd\\cellx1500\\cellx3000\\cellx6000\\pard\\intbl c\\cell d\\cell e\\cell\\row",
        {"", "table 2x3", "| <1x2>A | B", "| c | d | e", ""});
    row("a narrower boundary later splits the cells above",
        "\\trowd\\cellx2000\\pard\\intbl A\\cell\\row\\trowd\\cellx1000\\cellx2000\\pard\\intbl "
        "b\\cell c\\cell\\row",
        {"", "table 2x2", "| <1x2>A", "| b | c", ""});
    row("a wider row later adds a column after the rows above",
        "\\trowd\\cellx1000\\pard\\intbl a\\cell\\row\\trowd\\cellx1000\\cellx2000\\pard\\intbl "
        "b\\cell "
        "c\\cell\\row",
        {"", "table 2x2", "| a | ", "| b | c", ""});
    row("\\clmgf and \\clmrg",
        "\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\pard\\intbl A\\cell\\cell "
        "C\\cell\\row",
        {"", "table 1x2", "| A | C", ""});
    row("\\clvmgf and \\clvmrg",
        "\\trowd\\clvmgf\\cellx1000\\cellx2000\\pard\\intbl A\\cell b\\cell\\row"
        "\\trowd\\clvmrg\\cellx1000\\cellx2000\\pard\\intbl\\cell d\\cell\\row"
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl e\\cell f\\cell\\row",
        {"", "table 3x2", "| <2x1>A | b", "| d", "| e | f", ""});
    row("Word's row properties after the cells",
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell "
        "b\\cell\\pard\\intbl{\\trowd\\cellx1000\\cellx2000\\row}\\pard fin",
        {"", "table 1x2", "| a | b", "fin"});
    row("more cells than boundaries stay in the last one",
        "\\trowd\\cellx1000\\pard\\intbl a\\cell b\\cell\\row", {"", "table 1x1", "| a/b", ""});
    row("no boundaries at all", "\\pard\\intbl a\\cell b\\row\\pard c",
        {"", "table 1x1", "| a/b", "c"});
    row("the file ends inside a row", "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b",
        {"", "table 1x2", "| a | b", ""});
    row("a table inside a cell is read as its text",
        "\\trowd\\cellx3000\\pard\\intbl\\itap2 x\\nestcell "
        "y\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}\\itap1\\cell\\row",
        {"", "table 1x1", "| x\ty\t", ""});
    row("a picture in a cell",
        "\\trowd\\cellx3000\\pard\\intbl " + pict("\\pngblip", png()) + "\\cell\\row",
        {"", "table 1x1", "| [png 40x20]", ""});
    row("cell boundaries out of order and huge",
        "\\trowd\\cellx5000\\cellx10\\cellx99999999\\pard\\intbl a\\cell b\\cell c\\cell\\row",
        {"", "table 1x3", "| a | b | c", ""});
    row("boundaries at the bound join the cell before",
        "\\trowd\\cellx555555\\cellx\\cellx99999999\\pard\\intbl a\\cell b\\cell c\\cell\\row"
        "\\trowd\\cellx63360\\pard\\intbl d\\cell\\row",
        {"", "table 2x1", "| abc", "| d", ""});
    row("\\cell outside a table stays a tab", "a\\cell b\\row c", {"a\tb", "c"});
}

void TestRtfObjects::reads_and_keeps_tables()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);
    QTextDocument document;
    QCOMPARE(rtf::read(statement(body), document), rtf::ReadStatus::Read);
    QCOMPARE(layout(document), expected);
    const QByteArray saved = rtf::write(document);
    QTextDocument again;
    QCOMPARE(rtf::read(saved, again), rtf::ReadStatus::Read);
    QCOMPARE(layout(again), expected);
}

void TestRtfObjects::libreoffice_sample_keeps_its_pictures_and_cells()
{
    // State: a statement LibreOffice wrote from pictures.fodt (a PNG, a JPEG, a table with a cell
    // merged across and one merged down). Action: read, save, read again.
    const QStringList expected = {
        "Le schéma de l'expérience :",
        "[png 169x113]",
        "Une photographie du banc : [jpeg 113x68] vue de dessus.",
        "table 3x3 bordée",
        "| <1x2>Angles (°) | Indice",
        "| i | r | <2x1>n = sin i / sin r",
        "| 30 | 19,5",
        "Complétez le tableau.",
    };
    QTextDocument document;
    QCOMPARE(rtf::read(sample("pictures-libreoffice.rtf"), document), rtf::ReadStatus::Read);
    QCOMPARE(layout(document), expected);
    const QImage pixels = firstImage(document);
    QCOMPARE(pixels.size(), QSize(120, 80));
    QTextDocument again;
    QCOMPARE(rtf::read(rtf::write(document), again), rtf::ReadStatus::Read);
    QCOMPARE(layout(again), expected);
    QCOMPARE(pictureBytes(again), pictureBytes(document));
    QCOMPARE(firstImage(again), pixels);
}

void TestRtfObjects::metafile_is_written_back_byte_for_byte()
{
    const QByteArray original = sample("metafile.rtf");
    QTextDocument document;
    QCOMPARE(rtf::read(original, document), rtf::ReadStatus::Read);
    const QByteArray saved = rtf::write(document);
    const qsizetype at = original.indexOf("{\\pict");
    QVERIFY(at > 0);
    const QByteArray group = original.mid(at, original.indexOf('}', at) - at + 1);
    QVERIFY2(saved.contains(group), saved.constData());
}

void TestRtfObjects::pasted_image_is_saved_as_png()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("collé : "));
    const QImage image = figure(3000, 10);
    rtf::insertImage(cursor, image);
    QCOMPARE(layout(document), QStringList{"collé : [png 2000x6]"});
    QTextDocument again;
    QCOMPARE(rtf::read(rtf::write(document), again), rtf::ReadStatus::Read);
    QCOMPARE(layout(again), layout(document));
    QCOMPARE(firstImage(again), image.convertToFormat(firstImage(again).format()));
}

void TestRtfObjects::image_without_bytes_is_saved_as_png()
{
    // An image the text took from HTML (a resource, no bytes of its own) is saved as a PNG.
    QTextDocument document;
    const QImage image = figure(12, 8);
    document.addResource(QTextDocument::ImageResource, QUrl("figure.png"), image);
    QTextCursor(&document).insertImage(QStringLiteral("figure.png"));
    QTextDocument again;
    QCOMPARE(rtf::read(rtf::write(document), again), rtf::ReadStatus::Read);
    QCOMPARE(layout(again), QStringList{"[png 12x8]"});
    QCOMPARE(firstImage(again), image);
}

void TestRtfObjects::large_pictures_and_tables_stay_quick()
{
    // A 20 MB statement of pictures, and a table of 30 000 rows: bounded in time, never a crash.
    QByteArray body;
    const QByteArray one = pict("\\pngblip\\picwgoal600\\pichgoal300", QByteArray(1'000'000, 'x'));
    for (int i = 0; i < 10; ++i)
        body += one;
    QByteArray rows;
    for (int i = 0; i < 30000; ++i)
        rows +=
            "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell b\\cell c\\cell\\row";
    for (const QByteArray& input : {statement(body), statement(rows)}) {
        QElapsedTimer timer;
        timer.start();
        QTextDocument document;
        QCOMPARE(rtf::read(input, document), rtf::ReadStatus::Read);
        const QByteArray saved = rtf::write(document);
        QVERIFY(!saved.isEmpty());
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    }
}

void TestRtfObjects::pictures_past_the_bounds_are_placeholders()
{
    // A PNG whose header claims 30 000 × 30 000 pixels is never decoded.
    QByteArray huge = png();
    huge.replace(16, 8, QByteArray::fromHex("0000753000007530"));
    // Six pictures of 20 million pixels: the document shows 100 million at most.
    QImage blank(4000, 5000, QImage::Format_Mono);
    blank.fill(0);
    const QByteArray big = encoded(blank, "PNG");
    QByteArray body = pict("\\pngblip\\picwgoal300\\pichgoal300", huge) + "\\par ";
    for (int i = 0; i < 6; ++i)
        body += pict("\\pngblip\\picwgoal1500\\pichgoal1500", big);
    // A hundred placeholders of as many sizes.
    body += "\\par ";
    for (int i = 1; i <= 100; ++i)
        body += pict("\\emfblip\\picwgoal" + QByteArray::number(i * 15) + "\\pichgoal15", "x");
    QTextDocument document;
    for (int twice = 0; twice < 2; ++twice) { // the same document read again shows the same
        QCOMPARE(rtf::read(statement(body), document), rtf::ReadStatus::Read);
        const QStringList lines = layout(document);
        QCOMPARE(lines.value(0), QStringLiteral("[png cadre 20x20]"));
        QCOMPARE(lines.value(1), QStringLiteral("[png 100x100]").repeated(5) +
                                     QStringLiteral("[png cadre 100x100]"));
        QCOMPARE(lines.value(2).count(QStringLiteral(" cadre ")), 100);
    }
    QTextDocument again;
    QCOMPARE(rtf::read(rtf::write(document), again), rtf::ReadStatus::Read);
    QCOMPARE(pictureBytes(again), pictureBytes(document));
}

QTEST_MAIN(TestRtfObjects)
#include "tst_rtfobjects.moc"
