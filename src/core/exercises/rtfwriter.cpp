// SPDX-License-Identifier: GPL-3.0-or-later
// Two passes over the blocks: the first gathers the font and colour tables, the second writes each
// paragraph with only the character properties that change from one fragment to the next, each
// table row by row and each picture as a \pict group of its own bytes.
#include "core/exercises/rtfwriter.h"

#include "core/exercises/rtfpicture.h"
#include "core/platform/cp1252.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextFragment>
#include <QTextList>

#include <array>
#include <cmath>

namespace rtf {

namespace {

// A new line is started at the next token once a line is this long (RTF ignores bare line feeds).
constexpr qsizetype kRtfWriterLineLength = 200;
constexpr double kRtfWriterTwipsPerPixel = 15.0;
// Picture bytes per line of hex digits.
constexpr qsizetype kRtfWriterPictureLine = 64;
// The width a table takes when its columns have no width of their own (twips).
constexpr int kRtfWriterTableWidth = 9638;

// Windows-1252 byte of a character, or -1.
int rtfWriterByte(char16_t c)
{
    static const std::array<char16_t, 32> high = [] {
        std::array<char16_t, 32> table{};
        for (int b = 0; b < 32; ++b)
            table[std::size_t(b)] = cp1252::toChar(static_cast<unsigned char>(0x80 + b)).unicode();
        return table;
    }();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

// The character properties RTF is told of, colours as colour-table indices (0: automatic).
struct RtfWriterChars {
    int font = -1;
    int halfPoints = -1;
    int foreground = 0;
    int background = 0;
    int vertical = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

class RtfWriterOutput {
public:
    RtfWriterOutput(const QTextDocument& document, const QString& comment)
        : m_document(document), m_comment(comment)
    {
        m_defaultFamily = document.defaultFont().family();
        const QFont font = document.defaultFont();
        m_defaultPoints = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
    }

    QByteArray run();

private:
    void gather(const QTextCharFormat& format);
    QString familyOf(const QTextCharFormat& format) const;
    RtfWriterChars charsOf(const QTextCharFormat& format) const;
    int colourIndex(const QBrush& brush) const;
    void writeChars(const RtfWriterChars& chars);
    void writeBlock(const QTextBlock& block, const char* end = "par", bool inTable = false);
    void writeBlocks(int first, int last, const char* end, bool inTable);
    void writeTable(const QTextTable& table);
    void writePicture(const QTextImageFormat& format);
    void word(const char* name);
    void word(const char* name, int value);
    void text(const QString& text);
    void raw(const char* bytes);
    void breakLongLine();

    const QTextDocument& m_document;
    QString m_comment;
    QString m_defaultFamily;
    double m_defaultPoints = 12.0;
    QStringList m_families;
    QHash<QString, int> m_familyIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    QByteArray m_out;
    qsizetype m_lineStart = 0;
    bool m_needDelimiter = false; // a control word was written last
    bool m_symbolFont = false;    // the current font is Symbol
    RtfWriterChars m_chars;
};

QString RtfWriterOutput::familyOf(const QTextCharFormat& format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    QString family = families.isEmpty() ? m_defaultFamily : families.first();
    // Font names end at ';' and cannot hold braces.
    family.remove(QLatin1Char(';'));
    family.remove(QLatin1Char('{'));
    family.remove(QLatin1Char('}'));
    family.remove(QLatin1Char('"'));
    family = family.trimmed();
    return family.isEmpty() ? QStringLiteral("Arial") : family;
}

int RtfWriterOutput::colourIndex(const QBrush& brush) const
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    return m_colourIndex.value(brush.color().rgb() & 0xFFFFFF, 0);
}

void RtfWriterOutput::gather(const QTextCharFormat& format)
{
    const QString family = familyOf(format);
    if (!m_familyIndex.contains(family)) {
        m_familyIndex.insert(family, int(m_families.size()));
        m_families.append(family);
    }
    for (const auto property : {QTextFormat::ForegroundBrush, QTextFormat::BackgroundBrush}) {
        if (!format.hasProperty(property))
            continue;
        const QBrush brush = format.brushProperty(property);
        if (brush.style() == Qt::NoBrush)
            continue;
        const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
        if (!m_colourIndex.contains(rgb)) {
            m_colours.append(rgb);
            m_colourIndex.insert(rgb, int(m_colours.size())); // index 0 is the automatic colour
        }
    }
}

RtfWriterChars RtfWriterOutput::charsOf(const QTextCharFormat& format) const
{
    RtfWriterChars chars;
    chars.font = m_familyIndex.value(familyOf(format), 0);
    const double points =
        format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0
            ? format.fontPointSize()
            : m_defaultPoints;
    chars.halfPoints = std::max(1, int(std::lround(points * 2)));
    chars.bold = format.fontWeight() >= QFont::DemiBold;
    chars.italic = format.fontItalic();
    chars.underline =
        format.fontUnderline() || format.underlineStyle() != QTextCharFormat::NoUnderline;
    chars.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        chars.foreground = colourIndex(format.foreground());
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        chars.background = colourIndex(format.background());
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSubScript:
        chars.vertical = -1;
        break;
    case QTextCharFormat::AlignSuperScript:
        chars.vertical = 1;
        break;
    default:
        break;
    }
    return chars;
}

void RtfWriterOutput::breakLongLine()
{
    if (m_out.size() - m_lineStart < kRtfWriterLineLength)
        return;
    m_out.append('\n'); // also ends a control word
    m_lineStart = m_out.size();
    m_needDelimiter = false;
}

void RtfWriterOutput::raw(const char* bytes)
{
    breakLongLine();
    m_out.append(bytes);
    m_needDelimiter = false;
}

void RtfWriterOutput::word(const char* name)
{
    breakLongLine();
    m_out.append('\\');
    m_out.append(name);
    m_needDelimiter = true;
}

void RtfWriterOutput::word(const char* name, int value)
{
    word(name);
    m_out.append(QByteArray::number(value));
}

void RtfWriterOutput::text(const QString& text)
{
    static const char hex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        breakLongLine();
        if (c == u'\t') {
            word("tab");
            continue;
        }
        if (c == QChar::LineSeparator) {
            word("line");
            continue;
        }
        if (c < 0x20 || c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1 ||
            c == QChar::ParagraphSeparator)
            continue; // controls, pictures and the document's frame marks have no text
        if (c < 0x7F) {
            const bool alnum =
                (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (m_needDelimiter && (alnum || c == ' ' || c == '-'))
                m_out.append(' ');
            if (c == '\\' || c == '{' || c == '}')
                m_out.append('\\');
            m_out.append(char(c));
            m_needDelimiter = false;
            continue;
        }
        // A Symbol font's bytes are its own glyphs to other readers: Unicode says what is meant.
        const int byte = m_symbolFont ? -1 : rtfWriterByte(c);
        if (byte >= 0) {
            m_out.append("\\'");
            m_out.append(hex[byte >> 4]);
            m_out.append(hex[byte & 0xF]);
        } else {
            m_out.append("\\u");
            m_out.append(QByteArray::number(c > 32767 ? int(c) - 65536 : int(c)));
            m_out.append('?');
        }
        m_needDelimiter = false;
    }
}

void RtfWriterOutput::writeChars(const RtfWriterChars& chars)
{
    RtfWriterChars& was = m_chars;
    if (chars.font != was.font) {
        word("f", chars.font);
        m_symbolFont =
            m_families.value(chars.font).compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
    }
    if (chars.halfPoints != was.halfPoints)
        word("fs", chars.halfPoints);
    if (chars.bold != was.bold)
        chars.bold ? word("b") : word("b", 0);
    if (chars.italic != was.italic)
        chars.italic ? word("i") : word("i", 0);
    if (chars.underline != was.underline)
        word(chars.underline ? "ul" : "ulnone");
    if (chars.strike != was.strike)
        chars.strike ? word("strike") : word("strike", 0);
    if (chars.foreground != was.foreground)
        word("cf", chars.foreground);
    if (chars.background != was.background)
        word("highlight", chars.background);
    if (chars.vertical != was.vertical)
        word(chars.vertical < 0 ? "sub" : chars.vertical > 0 ? "super" : "nosupersub");
    m_chars = chars;
}

void RtfWriterOutput::writeBlock(const QTextBlock& block, const char* end, bool inTable)
{
    const QTextBlockFormat format = block.blockFormat();
    word("pard");
    if (inTable)
        word("intbl");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignJustify)
        word("qj");
    else if (alignment & Qt::AlignHCenter)
        word("qc");
    else if (alignment & Qt::AlignRight)
        word("qr");
    double left = format.leftMargin() + format.indent() * m_document.indentWidth();
    QTextList* list = block.textList();
    if (list)
        left += list->format().indent() * m_document.indentWidth();
    const auto twips = [](double pixels) {
        return int(std::lround(pixels * kRtfWriterTwipsPerPixel));
    };
    if (const int v = twips(left))
        word("li", v);
    if (const int v = twips(format.rightMargin()))
        word("ri", v);
    if (const int v = twips(format.textIndent()))
        word("fi", v);
    if (const int v = twips(format.topMargin()))
        word("sb", v);
    if (const int v = twips(format.bottomMargin()))
        word("sa", v);

    if (list) {
        // The item's bullet or number, as the visible text readers without lists show.
        writeChars(charsOf(block.charFormat()));
        raw("{");
        word("pntext");
        QString marker = list->itemText(block);
        if (marker.isEmpty())
            marker = QString(QChar(0x2022));
        text(marker);
        word("tab");
        raw("}");
    }
    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            for (qsizetype i = 0; i < fragment.length(); ++i)
                writePicture(charFormat.toImageFormat());
            empty = false;
            continue;
        }
        writeChars(charsOf(charFormat));
        text(fragment.text());
        empty = false;
    }
    if (empty)
        writeChars(charsOf(block.charFormat())); // the height of an empty line
    word(end);
    m_out.append('\n');
    m_lineStart = m_out.size();
    m_needDelimiter = false;
}

// The blocks from the one at first to the one at last, as paragraphs, the last one ended by end
// (a table inside a cell is written as its paragraphs).
void RtfWriterOutput::writeBlocks(int first, int last, const char* end, bool inTable)
{
    QTextBlock block = m_document.findBlock(first);
    while (block.isValid() && block.position() <= last) {
        const QTextBlock next = block.next();
        const bool final = !next.isValid() || next.position() > last;
        writeBlock(block, final ? end : "par", inTable);
        block = next;
    }
}

void RtfWriterOutput::writeTable(const QTextTable& table)
{
    const QTextTableFormat format = table.format();
    const int columns = table.columns();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    std::vector<int> rights(std::size_t(std::max(columns, 0)));
    int right = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = constraints.value(c);
        int width = kRtfWriterTableWidth / columns;
        if (length.type() == QTextLength::FixedLength)
            width = int(std::lround(length.rawValue() * kRtfWriterTwipsPerPixel));
        else if (length.type() == QTextLength::PercentageLength)
            width = int(std::lround(length.rawValue() * kRtfWriterTableWidth / 100.0));
        right += std::max(width, 1);
        rights[std::size_t(c)] = right;
    }
    const bool border = format.border() > 0;
    for (int r = 0; r < table.rows(); ++r) {
        word("trowd");
        word("trgaph", 45);
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.column() != c)
                continue; // inside a cell merged across
            if (cell.rowSpan() > 1)
                word(cell.row() == r ? "clvmgf" : "clvmrg");
            if (border) {
                for (const char* side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
                    word(side);
                    word("brdrs");
                    word("brdrw", 10);
                }
            }
            word("cellx", rights[std::size_t(std::min(c + cell.columnSpan(), columns) - 1)]);
        }
        m_out.append('\n');
        m_lineStart = m_out.size();
        m_needDelimiter = false;
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.column() != c)
                continue;
            if (cell.row() != r) { // the lower part of a cell merged down holds no text
                word("pard");
                word("intbl");
                word("cell");
                continue;
            }
            writeBlocks(cell.firstPosition(), cell.lastPosition(), "cell", true);
        }
        word("row");
        m_out.append('\n');
        m_lineStart = m_out.size();
        m_needDelimiter = false;
    }
}

void RtfWriterOutput::writePicture(const QTextImageFormat& format)
{
    QByteArray kind = format.property(PictureKind).toByteArray();
    QByteArray data = format.property(PictureData).toByteArray();
    const QByteArray header = format.property(PictureHeader).toByteArray();
    if (!format.hasProperty(PictureKind)) {
        // An image the text holds without bytes of its own (an HTML paste): written as a PNG.
        const QVariant resource =
            m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        QImage image;
        if (resource.userType() == QMetaType::QImage)
            image = resource.value<QImage>();
        else if (resource.userType() == QMetaType::QPixmap)
            image = resource.value<QPixmap>().toImage();
        else if (resource.userType() == QMetaType::QByteArray)
            image.loadFromData(resource.toByteArray());
        if (image.isNull())
            return;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        kind = "png";
    }
    raw("{");
    word("pict");
    if (kind == "png" || kind == "jpeg") {
        word(kind == "png" ? "pngblip" : "jpegblip");
        QSize shown(int(std::lround(format.width())), int(std::lround(format.height())));
        QSize pixels = pictureImageSize(kind, data);
        if (pixels.isEmpty())
            pixels = shown;
        if (shown.width() <= 0 || shown.height() <= 0)
            shown = pixels;
        word("picw", pixels.width());
        word("pich", pixels.height());
        word("picwgoal", int(std::lround(shown.width() * kRtfWriterTwipsPerPixel)));
        word("pichgoal", int(std::lround(shown.height() * kRtfWriterTwipsPerPixel)));
    } else {
        m_out.append(header); // a format the program cannot show, as it was read
    }
    m_out.append('\n');
    static const char hex[] = "0123456789abcdef";
    const qsizetype lines = (data.size() + kRtfWriterPictureLine - 1) / kRtfWriterPictureLine;
    const qsizetype start = m_out.size();
    m_out.resize(start + data.size() * 2 + lines);
    char* out = m_out.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype i = 0; i < data.size(); ++i) {
        *out++ = hex[in[i] >> 4];
        *out++ = hex[in[i] & 0xF];
        if (i % kRtfWriterPictureLine == kRtfWriterPictureLine - 1 || i + 1 == data.size())
            *out++ = '\n';
    }
    m_out.append('}');
    m_lineStart = m_out.size();
    m_needDelimiter = false;
}

QByteArray RtfWriterOutput::run()
{
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && !fragment.charFormat().isImageFormat()) {
                gather(fragment.charFormat());
                empty = false;
            }
        }
        if (empty || block.textList())
            gather(block.charFormat());
    }
    if (m_families.isEmpty())
        gather(QTextCharFormat());

    m_out.reserve(m_document.characterCount() * 11 / 10 + 256);
    m_out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl");
    for (qsizetype i = 0; i < m_families.size(); ++i) {
        m_out.append("{\\f");
        m_out.append(QByteArray::number(i));
        m_out.append("\\fnil\\fcharset0");
        m_needDelimiter = true;
        text(m_families[i]);
        m_out.append(";}");
    }
    m_out.append("}\n");
    if (!m_colours.isEmpty()) {
        m_out.append("{\\colortbl ;");
        for (const QRgb rgb : m_colours) {
            m_out.append("\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                         QByteArray::number(qGreen(rgb)) + "\\blue" +
                         QByteArray::number(qBlue(rgb)) + ';');
        }
        m_out.append("}\n");
    }
    if (!m_comment.isEmpty()) {
        m_out.append("{\\info{\\doccomm");
        m_needDelimiter = true;
        text(m_comment);
        m_out.append("}}\n");
    }
    m_out.append("\\viewkind4\\uc1\n");
    m_lineStart = m_out.size();
    m_needDelimiter = false;
    const QTextFrame* root = m_document.rootFrame();
    for (auto it = root->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* frame = it.currentFrame()) {
            if (const auto* table = qobject_cast<const QTextTable*>(frame))
                writeTable(*table);
            else
                writeBlocks(frame->firstPosition(), frame->lastPosition(), "par", false);
        } else {
            writeBlock(it.currentBlock());
        }
    }
    m_out.append("}\n");
    return m_out;
}

} // namespace

QByteArray write(const QTextDocument& document, const QString& comment)
{
    return RtfWriterOutput(document, comment).run();
}

} // namespace rtf
