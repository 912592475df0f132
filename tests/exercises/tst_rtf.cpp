// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader on what WordPad, Word and LibreOffice write, on broken and hostile bytes, and the
// writer through a round trip and in the bytes it writes.
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>

#include <memory>

namespace {

enum Style { Plain = 0, Bold = 1, Italic = 2, Underline = 4, Strike = 8, Sub = 16, Super = 32 };

struct Span {
    QString text;
    QTextCharFormat format;
};

struct Paragraph {
    QList<Span> spans;
    QTextBlockFormat format;
};

using Recipe = QList<Paragraph>;

QTextCharFormat chars(const QString& family, double points, int style = Plain,
                      const QColor& foreground = {}, const QColor& background = {})
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(style & Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(style & Italic);
    f.setFontUnderline(style & Underline);
    f.setFontStrikeOut(style & Strike);
    if (style & Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (style & Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (foreground.isValid())
        f.setForeground(foreground);
    if (background.isValid())
        f.setBackground(background);
    return f;
}

QTextBlockFormat blockFormat(Qt::Alignment alignment, qreal left = 0, qreal right = 0,
                             qreal first = 0, qreal top = 0, qreal bottom = 0)
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    f.setLeftMargin(left);
    f.setRightMargin(right);
    f.setTextIndent(first);
    f.setTopMargin(top);
    f.setBottomMargin(bottom);
    return f;
}

Paragraph para(const QString& text, const QTextCharFormat& format,
               const QTextBlockFormat& block = blockFormat(Qt::AlignLeft))
{
    return Paragraph{{Span{text, format}}, block};
}

std::unique_ptr<QTextDocument> build(const Recipe& recipe)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    for (qsizetype i = 0; i < recipe.size(); ++i) {
        const Paragraph& p = recipe[i];
        const QTextCharFormat first = p.spans.isEmpty() ? QTextCharFormat() : p.spans[0].format;
        if (i == 0) {
            cursor.setBlockFormat(p.format);
            cursor.setBlockCharFormat(first);
        } else {
            cursor.insertBlock(p.format, first);
        }
        for (const Span& s : p.spans)
            cursor.insertText(s.text, s.format);
    }
    return document;
}

QStringList paragraphs(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        texts.append(b.text());
    return texts;
}

QString describeChars(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    const auto colour = [](const QTextCharFormat& format, QTextFormat::Property p) {
        if (!format.hasProperty(p) || format.brushProperty(p).style() == Qt::NoBrush)
            return QStringLiteral("-");
        return format.brushProperty(p).color().name();
    };
    return QStringLiteral("%1 %2pt%3%4%5%6 v%7 fg%8 bg%9")
        .arg(families.value(0))
        .arg(f.fontPointSize())
        .arg(f.fontWeight() >= QFont::DemiBold ? " b" : "")
        .arg(f.fontItalic() ? " i" : "")
        .arg(f.fontUnderline() ? " u" : "")
        .arg(f.fontStrikeOut() ? " s" : "")
        .arg(int(f.verticalAlignment()))
        .arg(colour(f, QTextFormat::ForegroundBrush), colour(f, QTextFormat::BackgroundBrush));
}

// Each paragraph's format, then its text in runs of one character format.
QStringList describe(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        lines.append(QStringLiteral("paragraph align %1 left %2 right %3 first %4 top %5 bottom %6")
                         .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
                         .arg(f.leftMargin(), 0, 'f', 2)
                         .arg(f.rightMargin(), 0, 'f', 2)
                         .arg(f.textIndent(), 0, 'f', 2)
                         .arg(f.topMargin(), 0, 'f', 2)
                         .arg(f.bottomMargin(), 0, 'f', 2));
        QString run;
        QString runFormat;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QString format = describeChars(it.fragment().charFormat());
            if (format != runFormat && !run.isEmpty()) {
                lines.append(QStringLiteral("  [%1] %2").arg(run, runFormat));
                run.clear();
            }
            runFormat = format;
            run += it.fragment().text();
        }
        if (!run.isEmpty())
            lines.append(QStringLiteral("  [%1] %2").arg(run, runFormat));
    }
    return lines;
}

QByteArray sample(const QString& name)
{
    QFile file(qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/exercises/data/") +
               name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return file.readAll();
}

// The character format of the first character of the first occurrence of the text.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument*>(&document));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

bool sevenBit(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Recipe)

class TestRtf : public QObject {
    Q_OBJECT

private slots:
    void reads_sample_text_data();
    void reads_sample_text();
    void reads_sample_characters_data();
    void reads_sample_characters();
    void reads_sample_paragraphs_data();
    void reads_sample_paragraphs();
    void reads_constructs_data();
    void reads_constructs();
    void reads_character_properties_data();
    void reads_character_properties();
    void survives_bad_input_data();
    void survives_bad_input();
    void refuses_what_is_not_rtf_data();
    void refuses_what_is_not_rtf();
    void reads_ten_megabytes_quickly_data();
    void reads_ten_megabytes_quickly();
    void refuses_more_than_it_can_hold_data();
    void refuses_more_than_it_can_hold();
    void round_trip_keeps_formatting_data();
    void round_trip_keeps_formatting();
    void samples_survive_a_save_data();
    void samples_survive_a_save();
    void writes_rtf_bytes_data();
    void writes_rtf_bytes();
    void document_comment_data();
    void document_comment();
};

void TestRtf::reads_sample_text_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("LibreOffice worksheet")
        << "libreoffice.rtf"
        << QStringList{
               QStringLiteral("Exercice 3 : la réfraction"),
               QStringLiteral("Un rayon lumineux passe de l’air dans l’eau. On note i l’angle "
                              "d’incidence et r l’angle de réfraction."),
               QStringLiteral("La loi de Descartes s’écrit : n1 sin i = n2 sin r, avec n₂ ≈ 1,33 "
                              "et λ = 589 nm."),
               QStringLiteral("Données :\tcœur de l’élève, à ça près ; barré et bleu gras."),
               QStringLiteral("Fin de l’énoncé")};
    QTest::newRow("Word statement: no header, footer, annotation, theme or data store")
        << "word.rtf"
        << QStringList{
               QStringLiteral("Le prisme et la dispersion"),
               QStringLiteral("Un faisceau de lumière blanche traverse un prisme d’indice n ≈ "
                              "1,5. On observe un spectre du rouge au bleu (λ de 400 à 800\u00A0"
                              "nm)."),
               QStringLiteral("•\tQuelle radiation est la plus déviée\u00A0?"),
               QStringLiteral("Données\tA = 60°\u2028Dm = 40°")};
    QTest::newRow("WordPad statement with bullets and Symbol font")
        << "wordpad.rtf"
        << QStringList{
               QStringLiteral("Miroir plan"),
               QStringLiteral("Un objet lumineux AB est placé devant un miroir plan. Son image "
                              "A'B' est symétrique de AB."),
               QStringLiteral("•\tTracer le rayon réfléchi."),
               QStringLiteral("•\tMesurer l'angle de réflexion r ; comparer à i."),
               QStringLiteral("ancienne consigne – ‘nouvelle’ : “ écrire « i = r » ”"),
               QStringLiteral("α = 30°")};
    QTest::newRow("Cyrillic and Greek code pages, document code page for a font without one")
        << "cyrillic.rtf"
        << QStringList{QStringLiteral("Преломление света"), QStringLiteral("διάθλαση et écran Ж")};
}

void TestRtf::reads_sample_text()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QTextDocument document;
    QCOMPARE(rtf::read(sample(file), document), rtf::ReadStatus::Read);
    QCOMPARE(paragraphs(document), expected);
}

void TestRtf::reads_sample_characters_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("style");
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");

    const QColor none;
    QTest::newRow("LibreOffice title in Arial 16 bold")
        << "libreoffice.rtf"
        << "Exercice"
        << "Arial" << 16.0 << int(Bold) << none << none;
    QTest::newRow("LibreOffice body in its default font, automatic colour")
        << "libreoffice.rtf"
        << "Un rayon"
        << "Times New Roman" << 12.0 << int(Plain) << none << none;
    QTest::newRow("LibreOffice italic") << "libreoffice.rtf"
                                        << "lumineux"
                                        << "Times New Roman" << 12.0 << int(Italic) << none << none;
    QTest::newRow("LibreOffice underline")
        << "libreoffice.rtf"
        << "i l’angle d’incidence"
        << "Times New Roman" << 12.0 << int(Underline) << none << none;
    QTest::newRow("LibreOffice colour")
        << "libreoffice.rtf"
        << "r l’angle de"
        << "Times New Roman" << 12.0 << int(Plain) << QColor(192, 0, 0) << none;
    QTest::newRow("LibreOffice subscript (\\dn)")
        << "libreoffice.rtf"
        << "1 sin i"
        << "Times New Roman" << 12.0 << int(Sub) << none << none;
    QTest::newRow("LibreOffice bold italic")
        << "libreoffice.rtf"
        << "cœur"
        << "Times New Roman" << 12.0 << int(Bold | Italic) << none << none;
    QTest::newRow("LibreOffice strike") << "libreoffice.rtf"
                                        << "barré"
                                        << "Times New Roman" << 12.0 << int(Strike) << none << none;
    QTest::newRow("LibreOffice blue bold")
        << "libreoffice.rtf"
        << "bleu gras"
        << "Times New Roman" << 12.0 << int(Bold) << QColor(0, 0, 255) << none;
    QTest::newRow("LibreOffice 10 pt end")
        << "libreoffice.rtf"
        << "Fin"
        << "Times New Roman" << 10.0 << int(Plain) << none << none;
    QTest::newRow("Word title, name after a panose group")
        << "word.rtf"
        << "Le prisme"
        << "Arial" << 16.0 << int(Bold) << none << none;
    QTest::newRow("Word italic") << "word.rtf"
                                 << "n ≈"
                                 << "Times New Roman" << 12.0 << int(Italic) << none << none;
    QTest::newRow("Word \\u with fallback")
        << "word.rtf"
        << "≈"
        << "Times New Roman" << 12.0 << int(Plain) << none << none;
    QTest::newRow("Word underline") << "word.rtf"
                                    << "spectre"
                                    << "Times New Roman" << 12.0 << int(Underline) << none << none;
    QTest::newRow("Word \\cf6") << "word.rtf"
                                << "rouge"
                                << "Times New Roman" << 12.0 << int(Plain) << QColor(255, 0, 0)
                                << none;
    QTest::newRow("Word \\cf2") << "word.rtf"
                                << "bleu"
                                << "Times New Roman" << 12.0 << int(Plain) << QColor(0, 0, 255)
                                << none;
    QTest::newRow("Word bullet in Symbol") << "word.rtf"
                                           << "•"
                                           << "Symbol" << 12.0 << int(Plain) << none << none;
    QTest::newRow("Word highlight")
        << "word.rtf"
        << "Données"
        << "Times New Roman" << 12.0 << int(Plain) << none << QColor(255, 255, 0);
    QTest::newRow("Word subscript") << "word.rtf"
                                    << "m = 40"
                                    << "Times New Roman" << 12.0 << int(Sub) << none << none;
    QTest::newRow("WordPad title") << "wordpad.rtf"
                                   << "Miroir plan"
                                   << "Arial" << 14.0 << int(Bold) << none << none;
    QTest::newRow("WordPad italic, \\i0 ends it")
        << "wordpad.rtf"
        << "miroir plan"
        << "Calibri" << 11.0 << int(Italic) << none << none;
    QTest::newRow("WordPad after \\i0") << "wordpad.rtf"
                                        << ". Son"
                                        << "Calibri" << 11.0 << int(Plain) << none << none;
    QTest::newRow("WordPad \\cf1") << "wordpad.rtf"
                                   << "symétrique"
                                   << "Calibri" << 11.0 << int(Plain) << QColor(255, 0, 0) << none;
    QTest::newRow("WordPad \\cf0 back to automatic")
        << "wordpad.rtf"
        << " de AB"
        << "Calibri" << 11.0 << int(Plain) << none << none;
    QTest::newRow("WordPad underline") << "wordpad.rtf"
                                       << "r ;"
                                       << "Calibri" << 11.0 << int(Underline) << none << none;
    QTest::newRow("WordPad strike in colour")
        << "wordpad.rtf"
        << "ancienne"
        << "Calibri" << 11.0 << int(Strike) << QColor(0, 77, 187) << none;
    QTest::newRow("WordPad Symbol letter") << "wordpad.rtf"
                                           << "α"
                                           << "Symbol" << 12.0 << int(Plain) << none << none;
    QTest::newRow("Cyrillic font") << "cyrillic.rtf"
                                   << "Преломление"
                                   << "Times New Roman" << 12.0 << int(Plain) << none << none;
    QTest::newRow("Greek font") << "cyrillic.rtf"
                                << "διάθλαση"
                                << "Arial" << 12.0 << int(Plain) << none << none;
}

void TestRtf::reads_sample_characters()
{
    QFETCH(QString, file);
    QFETCH(QString, at);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(int, style);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    QTextDocument document;
    QCOMPARE(rtf::read(sample(file), document), rtf::ReadStatus::Read);
    QVERIFY2(!document.find(at, 0, QTextDocument::FindCaseSensitively).isNull(), qPrintable(at));
    const QTextCharFormat f = formatOf(document, at);
    QCOMPARE(f.fontFamilies().toStringList(), QStringList{family});
    QCOMPARE(f.fontPointSize(), points);
    QCOMPARE(f.fontWeight() == QFont::Bold, bool(style & Bold));
    QCOMPARE(f.fontItalic(), bool(style & Italic));
    QCOMPARE(f.fontUnderline(), bool(style & Underline));
    QCOMPARE(f.fontStrikeOut(), bool(style & Strike));
    QCOMPARE(f.verticalAlignment() == QTextCharFormat::AlignSubScript, bool(style & Sub));
    if (foreground.isValid()) {
        QCOMPARE(f.foreground().color(), foreground);
    } else if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        // LibreOffice writes its automatic colour as black (\cf1 = 0,0,0).
        QCOMPARE(f.foreground().color(), QColor(0, 0, 0));
    }
    QCOMPARE(f.hasProperty(QTextFormat::BackgroundBrush), background.isValid());
    if (background.isValid())
        QCOMPARE(f.background().color(), background);
}

void TestRtf::reads_sample_paragraphs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("paragraph");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    // Pixels are twips / 15.
    QTest::newRow("LibreOffice centred title, \\sa113")
        << "libreoffice.rtf" << 0 << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 7.5333;
    QTest::newRow("LibreOffice justified, \\li567 \\fi283")
        << "libreoffice.rtf" << 2 << int(Qt::AlignJustify) << 37.8 << 0.0 << 18.8667 << 0.0 << 0.0;
    QTest::newRow("LibreOffice right-aligned")
        << "libreoffice.rtf" << 4 << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("Word centred title, \\sa240")
        << "word.rtf" << 0 << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 16.0;
    QTest::newRow("Word justified")
        << "word.rtf" << 1 << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0 << 0.0 << 10.6667;
    QTest::newRow("Word list item, its \\listtext's \\pard does not count")
        << "word.rtf" << 2 << int(Qt::AlignLeft) << 48.0 << 0.0 << -24.0 << 0.0 << 10.6667;
    QTest::newRow("Word \\sb120") << "word.rtf" << 3 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0
                                  << 8.0 << 10.6667;
    QTest::newRow("WordPad centred title")
        << "wordpad.rtf" << 0 << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 13.3333;
    QTest::newRow("WordPad bullet without \\pard keeps the paragraph before's \\fi \\li")
        << "wordpad.rtf" << 3 << int(Qt::AlignLeft) << 48.0 << 0.0 << -24.0 << 0.0 << 13.3333;
    QTest::newRow("WordPad indented both sides, justified")
        << "wordpad.rtf" << 4 << int(Qt::AlignJustify) << 37.8 << 37.8 << 0.0 << 0.0 << 13.3333;
    QTest::newRow("WordPad \\pard resets the indents")
        << "wordpad.rtf" << 5 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 13.3333;
}

void TestRtf::reads_sample_paragraphs()
{
    QFETCH(QString, file);
    QFETCH(int, paragraph);
    QFETCH(int, alignment);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, first);
    QFETCH(double, top);
    QFETCH(double, bottom);
    QTextDocument document;
    QCOMPARE(rtf::read(sample(file), document), rtf::ReadStatus::Read);
    const QTextBlock block = document.findBlockByNumber(paragraph);
    QVERIFY(block.isValid());
    const QTextBlockFormat f = block.blockFormat();
    QCOMPARE(int(f.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QVERIFY2(qAbs(f.leftMargin() - left) < 0.001, qPrintable(QString::number(f.leftMargin())));
    QVERIFY2(qAbs(f.rightMargin() - right) < 0.001, qPrintable(QString::number(f.rightMargin())));
    QVERIFY2(qAbs(f.textIndent() - first) < 0.001, qPrintable(QString::number(f.textIndent())));
    QVERIFY2(qAbs(f.topMargin() - top) < 0.001, qPrintable(QString::number(f.topMargin())));
    QVERIFY2(qAbs(f.bottomMargin() - bottom) < 0.001,
             qPrintable(QString::number(f.bottomMargin())));
}

void TestRtf::reads_constructs_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const QByteArray& rtf, const QStringList& expected) {
        QTest::newRow(name) << rtf << expected;
    };
    row("paragraphs; the final \\par makes no empty one", "{\\rtf1 un\\par deux\\par}",
        {"un", "deux"});
    row("an empty paragraph between two", "{\\rtf1 un\\par\\par deux}", {"un", "", "deux"});
    row("space after a control word is its delimiter", "{\\rtf1\\b  deux espaces\\b0 x}",
        {" deux espacesx"});
    row("line feeds and carriage returns in the text are ignored", "{\\rtf1 a\r\nb\nc}", {"abc"});
    row("\\line is a line break in the paragraph", "{\\rtf1 a\\line b}",
        {QStringLiteral("a\u2028b")});
    row("\\tab", "{\\rtf1 a\\tab b}", {"a\tb"});
    row("typographic symbols",
        "{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}",
        {QStringLiteral("—–‘’“”•")});
    row("non-breaking space, optional hyphen, non-breaking hyphen", "{\\rtf1 a\\~b\\-c\\_d}",
        {QStringLiteral("a\u00A0bc\u2011d")});
    row("escaped braces and backslash", "{\\rtf1 \\{a\\}\\\\}", {"{a}\\"});
    row("\\'hh in Windows-1252", "{\\rtf1\\ansi r\\'e9fraction \\'9c\\'80}",
        {QStringLiteral("réfraction œ€")});
    row("\\ansicpg sets the code page of fonts without one",
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'c4\\'e0}",
        {QStringLiteral("Да")});
    row("\\cpg in the font table", "{\\rtf1{\\fonttbl{\\f0\\cpg1253 Arial;}}\\f0 \\'eb}",
        {QStringLiteral("λ")});
    row("Mac Roman (\\fcharset77)", "{\\rtf1{\\fonttbl{\\f0\\fcharset77 Geneva;}}\\f0 \\'8e}",
        {QStringLiteral("é")});
    row("8-bit text written raw", QByteArray("{\\rtf1 caf\xe9}"), {QStringLiteral("café")});
    row("Shift-JIS: escaped pairs and a raw trail byte",
        "{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'82\\'a0\\'83e}",
        {QStringLiteral("あテ")});
    row("font change between bytes decodes each in its font",
        "{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset161 B;}}\\f0\\'e4\\f1\\'e4}",
        {QStringLiteral("дδ")});
    row("\\u with its fallback skipped", "{\\rtf1 \\u955?=\\u8776 ?1}", {QStringLiteral("λ=≈1")});
    row("negative \\u and surrogate pairs", "{\\rtf1 \\u-10179?\\u-8704?}",
        {QString::fromUcs4(U"\U0001F600")});
    row("a fallback that is \\'hh", "{\\rtf1 \\u233\\'e9t\\u233\\'e9}", {QStringLiteral("été")});
    row("\\uc2 skips two, \\uc0 none", "{\\rtf1\\uc2 \\u955 ab\\uc0\\u956 c}",
        {QStringLiteral("λμc")});
    row("\\uc is restored at the end of the group", "{\\rtf1{\\uc2 \\u955 ab}\\u956 xc}",
        {QStringLiteral("λμc")});
    row("a control word counts as one fallback character", "{\\rtf1 \\u8217\\rquote s}",
        {QStringLiteral("’s")});
    row("\\bin skips its bytes, braces included", "{\\rtf1 a{\\bin5 }}{{x}b}",
        {QStringLiteral("ab")});
    row("\\* destinations are skipped, known or not",
        "{\\rtf1 a{\\*\\generator Riched20;}{\\*\\unknownword {x}y}b}", {"ab"});
    row("destinations without \\* skipped, a picture kept",
        "{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\pict 0a0b}a{\\header H}"
        "{\\footer F}{\\footnote N}{\\object x}b}",
        {QStringLiteral("\uFFFCab")});
    row("a field keeps its result, not its instruction",
        "{\\rtf1 voir {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt la page}}.}",
        {"voir la page."});
    row("\\pntext is shown, \\pn is not",
        "{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}item\\par}", {"1.\titem"});
    row("\\upr: the Unicode twin is read, the 8-bit text is not",
        "{\\rtf1{\\upr{\\pntext ansi}{\\*\\ud{\\pntext \\u955?}}}x}", {QStringLiteral("λx")});
    row("table cells become a table's paragraphs, a cell without its table a tab",
        "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl A\\cell B\\cell\\row\\intbl C\\cell "
        "\\cell D\\cell\\row\\pard fin\\par E\\cell F}",
        {"", "A", "B", "C", "", "D", "fin", "E\tF"});
    row("hidden text is left out", "{\\rtf1 a{\\v cach\\'e9}b}", {"ab"});
    row("unknown control words and symbols are ignored", "{\\rtf1 a\\foo b\\bar12 c\\zz-3 \\|d}",
        {"abcd"});
    row("a backslash before a line feed ends the paragraph", "{\\rtf1 a\\\nb}", {"a", "b"});
    row("nothing after the outermost group is read", "{\\rtf1 a}b\\par c}", {"a"});
    row("Symbol font letters and bytes",
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f1 l\\'b0\\u61548?\\f0 l}",
        {QStringLiteral("λ°λl")});
    row("font entries without their own group",
        "{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\fcharset204 Cyr;}\\f1 \\'e0}",
        {QStringLiteral("а")});
}

void TestRtf::reads_constructs()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QTextDocument document;
    QCOMPARE(rtf::read(rtf, document), rtf::ReadStatus::Read);
    QCOMPARE(paragraphs(document), expected);
}

void TestRtf::reads_character_properties_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value"); // invalid: the property is absent
    const QByteArray tables = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                              "{\\colortbl;\\red10\\green20\\blue30;\\red255\\green255\\blue0;}";
    const auto row = [&](const char* name, const QByteArray& body, const char* at,
                         QTextFormat::Property property, const QVariant& value) {
        QTest::newRow(name) << tables + body + "}" << QString::fromUtf8(at) << int(property)
                            << value;
    };
    row("a group restores bold", "a{\\b b}c", "c", QTextFormat::FontWeight, int(QFont::Normal));
    row("bold inside the group", "a{\\b b}c", "b", QTextFormat::FontWeight, int(QFont::Bold));
    row("\\b0 ends bold", "\\b a\\b0 c", "c", QTextFormat::FontWeight, int(QFont::Normal));
    row("\\ul0 ends underline", "\\ul a\\ul0 c", "c", QTextFormat::TextUnderlineStyle,
        int(QTextCharFormat::NoUnderline));
    row("\\uldb is an underline", "\\uldb a", "a", QTextFormat::TextUnderlineStyle,
        int(QTextCharFormat::SingleUnderline));
    row("\\ulc is an underline colour, not an underline", "\\ulc1 a", "a",
        QTextFormat::TextUnderlineStyle, int(QTextCharFormat::NoUnderline));
    row("\\plain resets italic", "\\i a\\plain c", "c", QTextFormat::FontItalic, false);
    row("\\plain resets the size", "\\fs40 a\\plain c", "c", QTextFormat::FontPointSize, 12.0);
    row("12 points without \\fs", "a", "a", QTextFormat::FontPointSize, 12.0);
    row("half points", "\\fs21 a", "a", QTextFormat::FontPointSize, 10.5);
    row("font family from the table", "\\f1 a", "a", QTextFormat::FontFamilies,
        QStringList{"Courier New"});
    row("\\deff0 without \\f", "a", "a", QTextFormat::FontFamilies, QStringList{"Arial"});
    row("\\cf", "\\cf1 a", "a", QTextFormat::ForegroundBrush, QBrush(QColor(10, 20, 30)));
    row("\\cf0 is the automatic colour", "\\cf1 x\\cf0 a", "a", QTextFormat::ForegroundBrush,
        QVariant());
    row("\\cf beyond the table is automatic", "\\cf9 a", "a", QTextFormat::ForegroundBrush,
        QVariant());
    row("\\highlight", "\\highlight2 a", "a", QTextFormat::BackgroundBrush,
        QBrush(QColor(255, 255, 0)));
    row("\\cb", "\\cb1 a", "a", QTextFormat::BackgroundBrush, QBrush(QColor(10, 20, 30)));
    row("\\highlight0 is none", "\\highlight2 x\\highlight0 a", "a", QTextFormat::BackgroundBrush,
        QVariant());
    row("\\strike", "\\strike a", "a", QTextFormat::FontStrikeOut, true);
    row("\\super", "\\super a", "a", QTextFormat::TextVerticalAlignment,
        int(QTextCharFormat::AlignSuperScript));
}

void TestRtf::reads_character_properties()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, at);
    QFETCH(int, property);
    QFETCH(QVariant, value);
    QTextDocument document;
    QCOMPARE(rtf::read(rtf, document), rtf::ReadStatus::Read);
    QVERIFY2(!document.find(at, 0, QTextDocument::FindCaseSensitively).isNull(),
             qPrintable(document.toPlainText()));
    const QTextCharFormat f = formatOf(document, at);
    QCOMPARE(f.hasProperty(property), value.isValid());
    if (value.isValid())
        QCOMPARE(f.property(property), value);
}

void TestRtf::survives_bad_input_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const QByteArray& rtf, const QStringList& expected) {
        QTest::newRow(name) << rtf << expected;
    };
    row("leading whitespace before {\\rtf", " \r\n\t{\\rtf1 a}", {"a"});
    row("missing closing braces keep what was read", "{\\rtf1 {\\b gras {\\i et", {"gras et"});
    row("extra closing braces stop at the outermost group", "{\\rtf1 a}}} b}", {"a"});
    row("\\bin with a huge length", "{\\rtf1 a\\bin999999999 xyz}", {"a"});
    row("\\bin with a huge length in a skipped group", "{\\rtf1 a{\\*\\x\\bin999999999 z}}", {"a"});
    row("negative \\bin", "{\\rtf1 a\\bin-5 bc}", {"abc"});
    row("100 000 nested groups are skipped beyond the limit",
        "{\\rtf1 a" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "b}", {"ab"});
    row("500 nested groups are read",
        "{\\rtf1 a" + QByteArray(500, '{') + "x" + QByteArray(500, '}') + "b}", {"axb"});
    row("100 000 unclosed groups", "{\\rtf1 a" + QByteArray(100000, '{') + "deep", {"a"});
    row("\\u with a huge value", "{\\rtf1 \\u99999999999?x}", {QStringLiteral("\uFFFDx")});
    row("\\u with a huge negative value", "{\\rtf1 \\u-99999?x}", {QStringLiteral("\uFFFDx")});
    row("\\u of a control character", "{\\rtf1 a\\u0?\\u10?b}", {"ab"});
    row("\\u of the document's own separators", "{\\rtf1 a\\u8233?b\\u64976?}",
        {"a", QStringLiteral("b\uFFFD")});
    row("truncated \\'h", "{\\rtf1 ab\\'e", {"ab"});
    row("truncated \\'", "{\\rtf1 ab\\'", {"ab"});
    row("\\' without hex digits", "{\\rtf1 ab\\'zz}", {"abzz"});
    row("truncated control word", "{\\rtf1 ab\\pa", {"ab"});
    row("backslash at the end", "{\\rtf1 ab\\", {"ab"});
    row("\\uc with a huge count ends with its group", "{\\rtf1 {\\uc999999999 \\u233 abc} def}",
        {QStringLiteral("é def")});
    row("parameter with too many digits", "{\\rtf1\\fs99999999999999999999 a\\li-99999999999 b}",
        {"ab"});
    row("a control word longer than 32 letters", "{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}",
        {"ab"});
    row("NUL and control bytes in the text", QByteArray("{\\rtf1 a\0b\x01\x7f}", 13), {"ab\x7f"});
    row("a lone lead byte of a double-byte code page",
        "{\\rtf1{\\fonttbl{\\f0\\fcharset128 M;}}\\f0 a\\'82}", {"a"});
    row("an unknown code page falls back to Windows-1252",
        "{\\rtf1{\\fonttbl{\\f0\\cpg12345 M;}}\\f0 \\'e9}", {QStringLiteral("é")});
    row("a font table without names and an unterminated colour table",
        "{\\rtf1{\\fonttbl{\\f0}}{\\colortbl\\red300\\green-4\\blue7}\\cf1 a}", {"a"});
    row("only the header", "{\\rtf1", {""});
}

void TestRtf::survives_bad_input()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QTextDocument document;
    QCOMPARE(rtf::read(rtf, document), rtf::ReadStatus::Read);
    QCOMPARE(paragraphs(document), expected);
}

void TestRtf::refuses_what_is_not_rtf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain text") << QByteArray("Exercice 1 : le miroir");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only whitespace") << QByteArray(" \r\n");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("a brace without \\rtf") << QByteArray("{\\ansi a}");
    QTest::newRow("truncated header") << QByteArray("{\\rt");
    QTest::newRow("text before the header") << QByteArray("x{\\rtf1 a}");
}

void TestRtf::refuses_what_is_not_rtf()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    document.setPlainText(QStringLiteral("avant"));
    QCOMPARE(rtf::read(bytes, document), rtf::ReadStatus::NotRtf);
    QVERIFY(!rtf::isRtf(bytes));
    QCOMPARE(document.toPlainText(), QStringLiteral("avant"));
}

void TestRtf::reads_ten_megabytes_quickly_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<QString>("last");
    // 1 KB paragraphs with a few format changes, 10 240 times.
    const QByteArray paragraph =
        "\\pard\\qj Un rayon {\\b lumineux} passe de l'air dans l'eau, il est r\\'e9fract\\'e9 "
        "{\\i et} s'approche de la normale. " +
        QByteArray("Le rapport des sinus est constant, c'est la loi de Snell-Descartes. ")
            .repeated(13) +
        "\\par\n";
    QByteArray text = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
    for (int i = 0; i < 10240; ++i)
        text += paragraph;
    text += "fin}";
    QTest::newRow("text") << text << 10241 << "fin";
    // A picture of 10 MB in hex, between two paragraphs.
    QByteArray picture = "{\\rtf1 avant\\par{\\pict\\pngblip ";
    picture += QByteArray("89504e470d0a1a0a0000000d49484452\n").repeated(10 * 1024 * 1024 / 33);
    picture += "}apr\\'e8s}";
    QTest::newRow("picture") << picture << 2 << QStringLiteral("\uFFFCaprès");
    // 10 MB of group openings and closings.
    QTest::newRow("groups") << "{\\rtf1 " + QByteArray("{}").repeated(5 * 1024 * 1024) + "z}" << 1
                            << "z";
}

void TestRtf::reads_ten_megabytes_quickly()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, blocks);
    QFETCH(QString, last);
    QVERIFY(rtf.size() >= 10 * 1000 * 1000);
    QTextDocument document;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(rtf::read(rtf, document), rtf::ReadStatus::Read);
    // Far above the time it takes (well under a second), far below what quadratic work takes.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(document.blockCount(), blocks);
    QCOMPARE(document.lastBlock().text(), last);
}

void TestRtf::refuses_more_than_it_can_hold_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("blocks"); // 0: refused
    QTest::newRow("paragraphs up to the bound")
        << "{\\rtf1 " + QByteArray("\\par").repeated(500000) + "}" << 500000;
    QTest::newRow("a hundred paragraphs over it")
        << "{\\rtf1 " + QByteArray("\\par").repeated(500100) + "}" << 0;
    QTest::newRow("format changes over it")
        << "{\\rtf1 " + QByteArray("{\\b a}b").repeated(500001) + "}" << 0;
}

// Expected: a text of more paragraphs and format changes than the reader takes is refused and
// leaves the document empty; up to the bound, it is read whole.
void TestRtf::refuses_more_than_it_can_hold()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, blocks);
    QTextDocument document;
    const rtf::ReadStatus status = rtf::read(rtf, document);
    QCOMPARE(status, blocks ? rtf::ReadStatus::Read : rtf::ReadStatus::TooLarge);
    if (blocks)
        QCOMPARE(document.blockCount(), blocks);
    else
        QVERIFY(document.isEmpty());
}

void TestRtf::round_trip_keeps_formatting_data()
{
    QTest::addColumn<Recipe>("recipe");
    const QTextCharFormat arial = chars("Arial", 12);
    QTest::newRow("bold, italic, underline, strike")
        << Recipe{Paragraph{{{"normal ", arial},
                             {"gras", chars("Arial", 12, Bold)},
                             {" italique", chars("Arial", 12, Italic)},
                             {" souligné", chars("Arial", 12, Underline)},
                             {" barré", chars("Arial", 12, Strike)},
                             {" tout", chars("Arial", 12, Bold | Italic | Underline | Strike)}},
                            blockFormat(Qt::AlignLeft)}};
    QTest::newRow("families and sizes")
        << Recipe{Paragraph{{{"Arial 10 ", chars("Arial", 10)},
                             {"Times 13,5 ", chars("Times New Roman", 13.5)},
                             {"Courier 8", chars("Courier New", 8)}},
                            blockFormat(Qt::AlignLeft)},
                  para("Liberation Sans 28", chars("Liberation Sans", 28))};
    QTest::newRow("colours and highlight") << Recipe{Paragraph{
        {{"rouge ", chars("Arial", 12, Plain, QColor(200, 0, 0))},
         {"bleu surligné", chars("Arial", 12, Bold, QColor(0, 0, 200), QColor(255, 255, 0))},
         {" sans couleur", arial},
         {" rouge encore", chars("Arial", 12, Plain, QColor(200, 0, 0))}},
        blockFormat(Qt::AlignLeft)}};
    QTest::newRow("alignment and indents") << Recipe{
        para("centré", arial, blockFormat(Qt::AlignHCenter)),
        para("à droite", arial, blockFormat(Qt::AlignRight, 0, 10)),
        para("justifié en retrait", arial, blockFormat(Qt::AlignJustify, 20, 10, -8, 6, 12)),
        para("première ligne", arial, blockFormat(Qt::AlignLeft, 0, 0, 30, 0, 0))};
    QTest::newRow("accents, characters beyond Windows-1252, surrogates")
        << Recipe{para(QStringLiteral("é è à ç œ € « » ≈ λ n₁ sin i = n₂ sin r ") +
                           QString::fromUcs4(U"\U0001F600 ﬁ"),
                       arial)};
    QTest::newRow("escapes, tab, line break; text after a control word")
        << Recipe{Paragraph{{{"a\\b{c}d\te", arial},
                             {"12 cm", chars("Arial", 12, Bold)},
                             {"-3 ", chars("Arial", 12, Italic)},
                             {" espace", arial},
                             {QStringLiteral("ligne\u2028suivante"), chars("Arial", 12, Bold)}},
                            blockFormat(Qt::AlignLeft)}};
    QTest::newRow("empty paragraphs, also last") << Recipe{
        para("un", arial), para("", chars("Arial", 20)), para("deux", arial), para("", arial)};
    QTest::newRow("subscript and superscript")
        << Recipe{Paragraph{{{"n", arial},
                             {"1", chars("Arial", 12, Sub)},
                             {" = 10", arial},
                             {"-3", chars("Arial", 12, Super)}},
                            blockFormat(Qt::AlignLeft)}};
    QTest::newRow("a family that needs quoting elsewhere")
        << Recipe{para("x", chars("DejaVu Sans Mono", 9)), para("y", chars("Noto Sans", 12))};
}

void TestRtf::round_trip_keeps_formatting()
{
    QFETCH(Recipe, recipe);
    const auto original = build(recipe);
    const QByteArray rtf = rtf::write(*original);
    QTextDocument copy;
    QCOMPARE(rtf::read(rtf, copy), rtf::ReadStatus::Read);
    QCOMPARE(describe(copy), describe(*original));
}

void TestRtf::samples_survive_a_save_data()
{
    QTest::addColumn<QString>("file");
    for (const char* file : {"libreoffice.rtf", "word.rtf", "wordpad.rtf", "cyrillic.rtf"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

void TestRtf::samples_survive_a_save()
{
    QFETCH(QString, file);
    QTextDocument first;
    QCOMPARE(rtf::read(sample(file), first), rtf::ReadStatus::Read);
    const QByteArray saved = rtf::write(first);
    QVERIFY(sevenBit(saved));
    QTextDocument second;
    QCOMPARE(rtf::read(saved, second), rtf::ReadStatus::Read);
    QCOMPARE(describe(second), describe(first));
}

void TestRtf::writes_rtf_bytes_data()
{
    QTest::addColumn<Recipe>("recipe");
    QTest::addColumn<QByteArrayList>("contains");
    const QTextCharFormat arial = chars("Arial", 12);
    QTest::newRow("header, font table, view")
        << Recipe{para("a", arial)}
        << QByteArrayList{"{\\rtf1\\ansi\\ansicpg1252\\deff0",
                          "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}", "\\viewkind4\\uc1",
                          "\\pard\\f0\\fs24 a\\par\n"};
    QTest::newRow("fonts in order of first use, each once")
        << Recipe{Paragraph{{{"a", chars("Times New Roman", 11)},
                             {"b", arial},
                             {"c", chars("Times New Roman", 11)}},
                            blockFormat(Qt::AlignLeft)}}
        << QByteArrayList{"{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
                          "{\\f1\\fnil\\fcharset0 Arial;}}",
                          "\\f0\\fs22 a\\f1\\fs24 b\\f0\\fs22 c"};
    QTest::newRow("colour table and colours")
        << Recipe{Paragraph{{{"r", chars("Arial", 12, Plain, QColor(192, 0, 0))},
                             {"j", chars("Arial", 12, Plain, {}, QColor(255, 255, 0))},
                             {"n", arial}},
                            blockFormat(Qt::AlignLeft)}}
        << QByteArrayList{"{\\colortbl ;\\red192\\green0\\blue0;\\red255\\green255\\blue0;}",
                          "\\cf1 r\\cf0\\highlight2 j\\highlight0 n"};
    QTest::newRow("a control word before a letter, a digit, a space or a minus ends in a space")
        << Recipe{Paragraph{{{"Gras", chars("Arial", 12, Bold)},
                             {"1", arial},
                             {" x", chars("Arial", 12, Italic)},
                             {"-2", arial},
                             {".", chars("Arial", 12, Bold)}},
                            blockFormat(Qt::AlignLeft)}}
        << QByteArrayList{"\\b Gras\\b0 1\\i  x\\i0 -2\\b.\\par"};
    QTest::newRow("styles on and off")
        << Recipe{Paragraph{{{"u", chars("Arial", 12, Underline | Strike)}, {"v", arial}},
                            blockFormat(Qt::AlignLeft)}}
        << QByteArrayList{"\\ul\\strike u\\ulnone\\strike0 v"};
    QTest::newRow("escapes, tab and line break")
        << Recipe{para(QStringLiteral("a\\b{c}\td\u2028e"), arial)}
        << QByteArrayList{"a\\\\b\\{c\\}\\tab d\\line e"};
    QTest::newRow("Windows-1252 as \\'hh") << Recipe{para(QStringLiteral("é€œ\u00A0"), arial)}
                                           << QByteArrayList{"\\'e9\\'80\\'9c\\'a0"};
    QTest::newRow("beyond Windows-1252 as \\u with a fallback")
        << Recipe{para(QStringLiteral("≈λ"), arial)} << QByteArrayList{"\\u8776?\\u955?"};
    QTest::newRow("\\u above 32767 is negative")
        << Recipe{para(QStringLiteral("ﬁ"), arial)} << QByteArrayList{"\\u-1279?"};
    QTest::newRow("a surrogate pair as two \\u")
        << Recipe{para(QString::fromUcs4(U"\U0001F600"), arial)}
        << QByteArrayList{"\\u-10179?\\u-8704?"};
    QTest::newRow("alignment and indents in twips")
        << Recipe{para("a", arial, blockFormat(Qt::AlignHCenter, 20, 10, -8, 6, 12)),
                  para("b", arial, blockFormat(Qt::AlignRight)),
                  para("c", arial, blockFormat(Qt::AlignJustify)),
                  para("d", arial, blockFormat(Qt::AlignLeft, 0.7))}
        << QByteArrayList{"\\pard\\qc\\li300\\ri150\\fi-120\\sb90\\sa180\\f0", "\\pard\\qr b",
                          "\\pard\\qj c", "\\pard\\li11 d"};
    QTest::newRow("a long paragraph is written on several short lines")
        << Recipe{para(QStringLiteral("Un rayon lumineux \u00e9 ").repeated(100), arial)}
        << QByteArrayList{"Un rayon lumineux \\'e9 Un rayon"};
}

void TestRtf::writes_rtf_bytes()
{
    QFETCH(Recipe, recipe);
    QFETCH(QByteArrayList, contains);
    const QByteArray rtf = rtf::write(*build(recipe));
    QVERIFY(sevenBit(rtf));
    QVERIFY(rtf.endsWith("}\n"));
    QVERIFY2(!rtf.contains("\\ql"), rtf.constData());
    for (const QByteArray& part : contains)
        QVERIFY2(rtf.contains(part), (part + "\nnot in\n" + rtf).constData());
    for (const QByteArray& line : rtf.split('\n'))
        QVERIFY2(line.size() <= 260, line.constData());
}

void TestRtf::document_comment_data()
{
    QTest::addColumn<QString>("comment");
    QTest::newRow("a path with accents") << QStringLiteral("/home/élève/exercices/RÉFRACTION.E02");
    QTest::newRow("braces and backslashes") << QStringLiteral("a{b}c\\d");
    QTest::newRow("beyond Windows-1252") << QStringLiteral("Ω λ = 589 nm");
    QTest::newRow("none") << QString();
}

void TestRtf::document_comment()
{
    // Expected: the comment written into the information group reads back whole, the text
    // unchanged; a word processor's information group gives its comments.
    QFETCH(QString, comment);
    QTextDocument document;
    document.setPlainText(QStringLiteral("Réponse"));
    const QByteArray bytes = rtf::write(document, comment);
    QCOMPARE(rtf::documentComment(bytes), comment);
    QTextDocument back;
    QCOMPARE(rtf::read(bytes, back), rtf::ReadStatus::Read);
    QCOMPARE(back.toPlainText(), QStringLiteral("Réponse"));
    QCOMPARE(rtf::documentComment("{\\rtf1{\\info{\\title T}{\\doccomm Mes \\'e9l\\'e8ves}"
                                  "{\\author A}}Texte}"),
             QStringLiteral("Mes élèves"));
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
