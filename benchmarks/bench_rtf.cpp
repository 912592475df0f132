// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the RTF reader and writer on a 100 KB statement: many paragraphs of mixed formatting,
// accented letters and Unicode characters, as Word writes them.
#include "core/exercises/exercisefile.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

// About 100 KB of RTF: a header with fonts and colours, then paragraphs cycling through styles.
QByteArray benchRtfStatement()
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                     "{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\n"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue200;}\n"
                     "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1\n";
    int paragraph = 0;
    while (rtf.size() < 100 * 1024) {
        rtf += "\\pard";
        rtf += paragraph % 7 == 0 ? "\\qc" : paragraph % 5 == 0 ? "\\qj\\li567\\fi-283" : "";
        rtf += "\\sa120\\f" + QByteArray::number(paragraph % 2) + "\\fs" +
               QByteArray::number(20 + paragraph % 4 * 2) + ' ';
        rtf += "Exercice " + QByteArray::number(paragraph) +
               " : un rayon lumineux passe de l'air dans l'eau. {\\b Calculer} l'angle de "
               "r\\'e9fraction {\\i r} lorsque l'angle d'incidence vaut {\\cf1 30\\'b0}, "
               "sachant que n\\u8321?\\~sin i = n\\u8322?\\~sin r. {\\ul Donn\\'e9es} : "
               "{\\f2 l} = 589 nm, n\\'b2 \\u8776? 1,33.\\tab {\\cf2\\strike ancien} "
               "{\\b\\i\\cf2 r\\'e9sultat} \\ldblquote \\'e0 rendre\\rdblquote .\\par\n";
        ++paragraph;
    }
    rtf += "}";
    return rtf;
}

void BM_readStatement(benchmark::State& st)
{
    const QByteArray rtf = benchRtfStatement();
    for (auto _ : st) {
        QTextDocument document;
        benchmark::DoNotOptimize(rtf::read(rtf, document));
    }
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_readStatement)->Unit(benchmark::kMillisecond);

void BM_writeStatement(benchmark::State& st)
{
    const QByteArray rtf = benchRtfStatement();
    QTextDocument document;
    rtf::read(rtf, document);
    for (auto _ : st)
        benchmark::DoNotOptimize(rtf::write(document));
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_writeStatement)->Unit(benchmark::kMillisecond);

// Files of the same paragraphs: the reader must stay linear, up to the size limit.
void BM_readMegabytes(benchmark::State& st)
{
    const QByteArray statement = benchRtfStatement();
    const QByteArray body = statement.mid(statement.indexOf("\\pard"));
    QByteArray rtf = statement.left(statement.indexOf("\\pard"));
    while (rtf.size() < st.range(0) * 1024 * 1024 - body.size())
        rtf += body.chopped(1);
    rtf += "}";
    for (auto _ : st) {
        QTextDocument document;
        if (rtf::read(rtf, document) != rtf::ReadStatus::Read)
            st.SkipWithError("refused");
    }
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_readMegabytes)->Arg(10)->Arg(16)->Unit(benchmark::kMillisecond);

// The worst a text may hold: paragraph marks only, refused once the reader's bound is reached.
void BM_readParagraphMarks(benchmark::State& st)
{
    QByteArray rtf = "{\\rtf1 " + QByteArray("\\par").repeated(4 * 1024 * 1024) + "}";
    for (auto _ : st) {
        QTextDocument document;
        benchmark::DoNotOptimize(rtf::read(rtf, document));
    }
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_readParagraphMarks)->Unit(benchmark::kMillisecond);

// A file over the size limit (20 MB of paragraph marks): refused before it is read.
void BM_refuseTwentyMegabytes(benchmark::State& st)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("grand.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write("{\\rtf1 " + QByteArray("\\par").repeated(5 * 1024 * 1024) + "}") < 0)
        st.SkipWithError("cannot write the file");
    file.close();
    for (auto _ : st) {
        QTextDocument document;
        benchmark::DoNotOptimize(exercises::loadRichText(path, document));
    }
}
BENCHMARK(BM_refuseTwentyMegabytes)->Unit(benchmark::kMicrosecond);

// A statement with a 10 MB picture, as Word saves a page with a photograph.
void BM_readPictureTenMegabytes(benchmark::State& st)
{
    QByteArray rtf = benchRtfStatement();
    rtf.chop(1);
    rtf += "{\\pict\\pngblip\\picw800\\pich600 ";
    const QByteArray line = QByteArray("89504e470d0a1a0a0000000d49484452").repeated(4) + '\n';
    while (rtf.size() < 10 * 1024 * 1024)
        rtf += line;
    rtf += "}\\par Fin.}";
    for (auto _ : st) {
        QTextDocument document;
        benchmark::DoNotOptimize(rtf::read(rtf, document));
    }
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_readPictureTenMegabytes)->Unit(benchmark::kMillisecond);

// A 5 MB statement with ten pictures (photographs of the bench: PNG and JPEG of noisy pixels,
// about 250 KB each, in hex) between its paragraphs, and a table to fill in.
QByteArray benchRtfPictures()
{
    QByteArray rtf = benchRtfStatement();
    rtf.chop(1);
    quint32 seed = 12345;
    for (int i = 0; i < 10; ++i) {
        const bool png = i % 2 == 0;
        QImage image(png ? 290 : 700, png ? 290 : 520, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                line[x] = 0xFF000000u | (seed >> 8);
            }
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, png ? "PNG" : "JPEG", 90);
        rtf +=
            "\\pard\\qc{\\*\\shppict{\\pict\\picscalex50\\picscaley50\\picwgoal4350\\pichgoal4350";
        rtf += png ? "\\pngblip\n" : "\\jpegblip\n";
        const QByteArray hex = bytes.toHex();
        for (qsizetype at = 0; at < hex.size(); at += 128)
            rtf += hex.mid(at, 128) + '\n';
        rtf += "}}{\\nonshppict{\\pict\\wmetafile8 0100}}\\par\n";
    }
    rtf += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl i\\cell r\\cell n\\cell\\row"
           "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl 30\\cell\\cell\\cell\\row\\pard "
           "Fin.}";
    return rtf;
}

void BM_readStatementWithPictures(benchmark::State& st)
{
    const QByteArray rtf = benchRtfPictures();
    st.counters["MB"] = double(rtf.size()) / (1024 * 1024);
    for (auto _ : st) {
        QTextDocument document;
        benchmark::DoNotOptimize(rtf::read(rtf, document));
    }
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_readStatementWithPictures)->Unit(benchmark::kMillisecond);

void BM_writeStatementWithPictures(benchmark::State& st)
{
    const QByteArray rtf = benchRtfPictures();
    QTextDocument document;
    rtf::read(rtf, document);
    for (auto _ : st)
        benchmark::DoNotOptimize(rtf::write(document));
    st.SetBytesProcessed(st.iterations() * rtf.size());
}
BENCHMARK(BM_writeStatementWithPictures)->Unit(benchmark::kMillisecond);

// The same statement read and drawn once: the pictures are decoded by the first drawing.
void BM_readAndDrawStatementWithPictures(benchmark::State& st)
{
    const QByteArray rtf = benchRtfPictures();
    QImage page(400, 300, QImage::Format_RGB32);
    for (auto _ : st) {
        QTextDocument document;
        rtf::read(rtf, document);
        document.setTextWidth(page.width());
        QPainter painter(&page);
        document.drawContents(&painter);
    }
}
BENCHMARK(BM_readAndDrawStatementWithPictures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
