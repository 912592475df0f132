// SPDX-License-Identifier: GPL-3.0-or-later
// One pass over the RTF bytes with an explicit stack of group states (never recursion): text goes
// into runs of one character format, each run inserted into the document once.
#include "core/exercises/rtfreader.h"

#include "core/exercises/rtfpicture.h"
#include "core/platform/cp1252.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rtf {

namespace {

// Groups nested deeper than this are skipped whole (a counting scan, no state is kept for them).
constexpr std::size_t kRtfReaderMaxDepth = 1000;
// Longest control word RTF allows; longer ones are read to their end and ignored.
constexpr int kRtfReaderMaxWord = 32;
// Twips values (indents, spacing) beyond this are clamped: 22 inches, the widest page Word takes.
constexpr int kRtfReaderMaxTwips = 31680;
// The "code page" of fonts with \fcharset2: bytes are the Symbol font's glyphs.
constexpr int kRtfReaderSymbolCodePage = 42;
// Twips per pixel of the document.
constexpr double kRtfReaderTwipsPerPixel = 15.0;
// Character formats kept built at once.
constexpr std::size_t kRtfReaderFormatCacheSize = 16;
// What a document may hold, in runs of one format, a paragraph counting as two. Each run costs the
// document about 1,5 µs and each paragraph 3 µs whatever their length: a text of millions of empty
// paragraphs would take a minute and gigabytes, while a long statement holds a few thousand.
constexpr int kRtfReaderMaxPieces = 1000000;
constexpr int kRtfReaderParagraphPieces = 2;
// A table holds at most this many columns (RTF's own bound) and cells; rows beyond the cells'
// bound go on in a table of their own: adding a row to a table costs time in its number of cells.
// Past a document's bound of table cells, rows are read as paragraphs, their cells apart by tabs.
constexpr std::size_t kRtfReaderMaxColumns = 63;
constexpr int kRtfReaderMaxTableCells = 1000;
constexpr int kRtfReaderMaxDocumentCells = 20000;
// The width of a row given without its cells' boundaries (twips): a page between its margins.
constexpr int kRtfReaderRowWidth = 9638;
// Cell boundaries beyond this are clamped (twips): twice the widest page.
constexpr int kRtfReaderMaxCellX = 2 * kRtfReaderMaxTwips;

// Symbol font glyphs from 0x20 to 0xFF as Unicode; 0 where the byte reads as in Windows-1252.
constexpr std::array<char16_t, 224> kRtfReaderSymbolGlyphs = {
    // 0x20
    0, 0, 0x2200, 0, 0x2203, 0, 0, 0x220B, 0, 0, 0x2217, 0, 0, 0x2212, 0, 0,
    // 0x30
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A,
    0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0,
    0x2234, 0, 0x22A5, 0,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA,
    0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0, 0, 0,
    0x223C, 0,
    // 0x80
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284,
    0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
    0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6,
    0x23AB, 0x23AC, 0x23AD, 0};

char16_t rtfReaderSymbolChar(unsigned char byte)
{
    if (byte >= 0x20 && kRtfReaderSymbolGlyphs[byte - 0x20] != 0)
        return kRtfReaderSymbolGlyphs[byte - 0x20];
    return cp1252::toChar(byte).unicode();
}

// The code page of a \fcharset value.
int rtfReaderCharsetCodePage(int charset, int documentCodePage)
{
    switch (charset) {
    case 0:
        return 1252;
    case 1:
        return documentCodePage;
    case 2:
        return kRtfReaderSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
    case 255:
        return 437;
    default:
        return documentCodePage;
    }
}

const char* rtfReaderCodecName(int codePage)
{
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 866:
        return "IBM866";
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 1361:
        return "Johab";
    case 10000:
        return "macintosh";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

// Whether a byte begins a two-byte character in a double-byte code page.
bool rtfReaderIsLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
    case 1361:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

enum class RtfReaderDest : std::uint8_t {
    Text,       // the document's text
    FontTable,  // font entries: numbers, code pages, names ended by ';'
    ColorTable, // colours ended by ';'
    Upr,        // \upr: the 8-bit text and its Unicode twin; text here is dropped
    UprChild,   // a group just inside \upr: skipped unless it is the Unicode twin (\*\ud)
    Pict,       // \pict: the picture's words and its bytes (hex digits or \bin)
};

// Character properties of a group; colours are colour-table indices (0: automatic).
struct RtfReaderChars {
    int font = -1; // -1: the default font (\deff)
    int halfPoints = 24;
    int foreground = 0;
    int background = 0;
    int vertical = 0; // -1 subscript, 1 superscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool operator==(const RtfReaderChars&) const = default;
};

// Paragraph properties of a group, lengths in twips.
struct RtfReaderPara {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    bool inTable = false; // \intbl
    bool operator==(const RtfReaderPara&) const = default;
};

struct RtfReaderState {
    RtfReaderChars chars;
    RtfReaderPara para;
    int uc = 1;
    RtfReaderDest dest = RtfReaderDest::Text;
    RtfReaderDest uprOuter = RtfReaderDest::Text;
};

struct RtfReaderFont {
    QString family;
    int codePage = -1; // -1: the document's code page
};

enum class RtfReaderWord : std::uint8_t {
    Skip, // a destination left out with all its content
    FontTable,
    ColorTable,
    Upr,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    Font,
    Charset,
    Cpg,
    Red,
    Green,
    Blue,
    Foreground,
    Background,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Sub,
    Super,
    NoSuperSub,
    Up,
    Down,
    Plain,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    Par,
    Line,
    Tab,
    Cell,
    Row,
    Unicode,
    UnicodeSkip,
    Bin,
    Pict,
    Transparent, // a group read as if its content stood outside it (\shppict)
    RowDefaults,
    CellX,
    CellMergeFirst,
    CellMerge,
    CellVMergeFirst,
    CellVMerge,
    CellBorderSide,
    BorderStyle,
    BorderNone,
    InTable,
    Symbol, // a character given by the table
    Drop,   // a mark with no visible character
};

struct RtfReaderWordInfo {
    RtfReaderWord word;
    char16_t ch = 0;
};

const std::unordered_map<std::string_view, RtfReaderWordInfo>& rtfReaderWords()
{
    using W = RtfReaderWord;
    static const std::unordered_map<std::string_view, RtfReaderWordInfo> words = [] {
        std::unordered_map<std::string_view, RtfReaderWordInfo> m;
        for (const char* name : {"stylesheet",
                                 "info",
                                 "object",
                                 "header",
                                 "headerl",
                                 "headerr",
                                 "headerf",
                                 "footer",
                                 "footerl",
                                 "footerr",
                                 "footerf",
                                 "footnote",
                                 "listtable",
                                 "listoverridetable",
                                 "themedata",
                                 "colorschememapping",
                                 "latentstyles",
                                 "datastore",
                                 "xmlnstbl",
                                 "rsidtbl",
                                 "generator",
                                 "fldinst",
                                 "pn",
                                 "filetbl",
                                 "revtbl",
                                 "pgdsctbl",
                                 "annotation",
                                 "atnid",
                                 "atnauthor",
                                 "atnref",
                                 "atndate",
                                 "comment",
                                 "private",
                                 "userprops",
                                 "docvar",
                                 "xe",
                                 "tc",
                                 "txe",
                                 "rxe",
                                 "bkmkstart",
                                 "bkmkend",
                                 "shp",
                                 "shpinst",
                                 "nonshppict",
                                 "objdata",
                                 "do",
                                 "ftnsep",
                                 "ftnsepc",
                                 "ftncn",
                                 "aftnsep",
                                 "aftnsepc",
                                 "aftncn",
                                 "template",
                                 "mmathPr",
                                 "listpicture",
                                 "passwordhash",
                                 "fchars",
                                 "lchars",
                                 "wgrffmtfilter",
                                 "protusertbl",
                                 "pnseclvl",
                                 "sp"})
            m.emplace(name, RtfReaderWordInfo{W::Skip});
        const std::pair<const char*, W> plain[] = {
            {"fonttbl", W::FontTable},
            {"colortbl", W::ColorTable},
            {"upr", W::Upr},
            {"ansi", W::Ansi},
            {"mac", W::Mac},
            {"pc", W::Pc},
            {"pca", W::Pca},
            {"ansicpg", W::AnsiCpg},
            {"deff", W::Deff},
            {"f", W::Font},
            {"fcharset", W::Charset},
            {"cpg", W::Cpg},
            {"red", W::Red},
            {"green", W::Green},
            {"blue", W::Blue},
            {"cf", W::Foreground},
            {"cb", W::Background},
            {"highlight", W::Background},
            {"chcbpat", W::Background},
            {"fs", W::FontSize},
            {"b", W::Bold},
            {"i", W::Italic},
            {"ulnone", W::UnderlineNone},
            {"strike", W::Strike},
            {"striked", W::Strike},
            {"v", W::Hidden},
            {"sub", W::Sub},
            {"super", W::Super},
            {"nosupersub", W::NoSuperSub},
            {"up", W::Up},
            {"dn", W::Down},
            {"plain", W::Plain},
            {"pard", W::Pard},
            {"ql", W::AlignLeft},
            {"qc", W::AlignCenter},
            {"qr", W::AlignRight},
            {"qj", W::AlignJustify},
            {"qd", W::AlignJustify},
            {"li", W::LeftIndent},
            {"lin", W::LeftIndent},
            {"ri", W::RightIndent},
            {"rin", W::RightIndent},
            {"fi", W::FirstIndent},
            {"sb", W::SpaceBefore},
            {"sa", W::SpaceAfter},
            {"par", W::Par},
            {"sect", W::Par},
            {"page", W::Par},
            {"line", W::Line},
            {"tab", W::Tab},
            {"cell", W::Cell},
            {"nestcell", W::Tab},
            {"row", W::Row},
            {"nestrow", W::Par},
            {"pict", W::Pict},
            {"shppict", W::Transparent},
            {"trowd", W::RowDefaults},
            {"cellx", W::CellX},
            {"clmgf", W::CellMergeFirst},
            {"clmrg", W::CellMerge},
            {"clvmgf", W::CellVMergeFirst},
            {"clvmrg", W::CellVMerge},
            {"clbrdrt", W::CellBorderSide},
            {"clbrdrl", W::CellBorderSide},
            {"clbrdrb", W::CellBorderSide},
            {"clbrdrr", W::CellBorderSide},
            {"brdrnone", W::BorderNone},
            {"brdrnil", W::BorderNone},
            {"intbl", W::InTable},
            {"u", W::Unicode},
            {"uc", W::UnicodeSkip},
            {"bin", W::Bin},
            {"ltrmark", W::Drop},
            {"rtlmark", W::Drop},
            {"zwj", W::Drop},
            {"zwnj", W::Drop},
            {"zwbo", W::Drop},
            {"zwnbo", W::Drop},
        };
        for (const auto& [name, word] : plain)
            m.emplace(name, RtfReaderWordInfo{word});
        for (const char* name : {"brdrs", "brdrth", "brdrsh", "brdrdb", "brdrdot", "brdrdash",
                                 "brdrhair", "brdrtriple", "brdrw", "brdrdashsm", "brdrdashd",
                                 "brdrdashdd", "brdrinset", "brdroutset", "brdrthtnsg"})
            m.emplace(name, RtfReaderWordInfo{W::BorderStyle});
        for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                 "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                 "ulthldash", "ululdbwave", "ulw", "ulwave"})
            m.emplace(name, RtfReaderWordInfo{W::Underline});
        const std::pair<const char*, char16_t> symbols[] = {
            {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022}, {"emspace", 0x2003},
            {"enspace", 0x2002},   {"qmspace", 0x2005},
        };
        for (const auto& [name, ch] : symbols)
            m.emplace(name, RtfReaderWordInfo{W::Symbol, ch});
        return m;
    }();
    return words;
}

// The picture being read: its words, bytes and sizes (goal sizes in twips).
struct RtfReaderPicture {
    QByteArray kind;
    QByteArray header;
    QByteArray data;
    int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    int nibble = -1; // a first hex digit waiting for its second
    std::size_t depth = 0;
};

class RtfReaderParser {
public:
    RtfReaderParser(const QByteArray& bytes, QTextDocument& document)
        : m_data(bytes.constData()), m_size(bytes.size()), m_cursor(&document)
    {}

    void run(qsizetype start);
    bool tooLarge() const { return m_pieces > kRtfReaderMaxPieces; }

private:
    // Counts a paragraph or a run put into the document; past the bound, reading stops.
    void countPieces(int pieces);
    void openGroup();
    void closeGroup();
    void skipRestOfGroup();
    void controlToken();
    void controlWord(std::string_view word, bool hasParam, int param);
    void controlSymbol(char c);
    void textRun();

    // Pictures
    void pictWord(std::string_view word, bool hasParam, int param);
    void pictHex();
    void finishPicture();

    // Tables
    void syncTable();
    void openRow();
    void enterCell(std::size_t index);
    void endCell();
    void endRow();
    void leaveTable();
    void mergeCells(int row, int column, int rows, int columns);

    // Text
    void emitAscii(const char* text, qsizetype length);
    void emitChar(char16_t ch);
    void emitString(const QString& text);
    void addByte(unsigned char byte);
    void flushBytes();
    bool prepareText();
    void flushRun();
    void ensureBlock();
    void endParagraph();
    void finish();

    // Tables and formats
    int codePageNow();
    int fontCodePage(int font) const;
    QString decode(int codePage, const QByteArray& bytes);
    void commitFont();
    void commitColor();
    QTextCharFormat charFormat(const RtfReaderChars& chars) const;
    const QTextCharFormat& cachedCharFormat(const RtfReaderChars& chars);
    static QTextBlockFormat blockFormat(const RtfReaderPara& para);

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_done = false;
    int m_pieces = 0;

    std::vector<RtfReaderState> m_stack; // states of the enclosing groups
    RtfReaderState m_state;
    int m_ucSkip = 0; // fallback characters of a \u still to skip

    int m_codePage = 1252; // \ansicpg
    int m_defaultFont = 0;
    std::unordered_map<int, RtfReaderFont> m_fonts;
    bool m_fontEntryOpen = false;
    int m_fontEntryNumber = 0;
    std::size_t m_fontEntryDepth = 0; // the group depth of the entry's \f
    RtfReaderFont m_fontEntry;
    std::vector<QColor> m_colors; // invalid: automatic
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
    std::unordered_map<int, std::unique_ptr<QStringDecoder>> m_decoders;
    std::vector<std::pair<RtfReaderChars, QTextCharFormat>> m_formatCache;

    // Bytes of \'hh (and raw 8-bit text) waiting to be decoded together.
    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    bool m_expectTrail = false;

    QTextCursor m_cursor;
    QString m_runText;
    RtfReaderChars m_runChars;
    bool m_formatDirty = true;
    bool m_blockStarted = false;
    bool m_blockPending = false;
    bool m_cellPending = false;
    RtfReaderPara m_blockPara;

    std::optional<RtfReaderPicture> m_picture;

    // The row being defined (\trowd … \cellx) and the table being filled.
    struct CellDefinition {
        int right = 0;
        bool merge = false; // \clmrg: one with the cell before
        bool vmergeFirst = false;
        bool vmerge = false;
        bool border = false;
    };
    std::vector<CellDefinition> m_rowDefinition;
    CellDefinition m_nextCell;
    bool m_borderSide = false; // a \clbrdr… word was read; the next border style is a cell's
    struct CellPlace {
        int column = 0;
        int span = 1;
    };
    QTextTable* m_table = nullptr;
    std::vector<int> m_grid;      // right boundaries of the table's columns, in twips
    std::vector<int> m_vmergeTop; // for each column, the row its vertical merge began in, or -1
    std::vector<CellPlace> m_rowCells;
    std::size_t m_cellIndex = 0;
    bool m_rowOpen = false;
    int m_tableCells = 0; // cells of every table made

    // Whether the paragraph goes into a table: one of its paragraphs while the bound holds.
    bool tabled() const
    {
        return m_state.para.inTable && (m_rowOpen || m_tableCells < kRtfReaderMaxDocumentCells);
    }
};

void RtfReaderParser::run(qsizetype start)
{
    m_pos = start;
    m_cursor.beginEditBlock();
    while (m_pos < m_size && !m_done) {
        const char c = m_data[m_pos];
        if (m_state.dest == RtfReaderDest::UprChild &&
            !(c == '\\' && m_pos + 1 < m_size && m_data[m_pos + 1] == '*')) {
            skipRestOfGroup();
            continue;
        }
        switch (c) {
        case '{':
            flushBytes();
            ++m_pos;
            openGroup();
            break;
        case '}':
            flushBytes();
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            controlToken();
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            textRun();
            break;
        }
    }
    if (!m_done)
        finish(); // the closing braces are missing: keep what was read
    m_cursor.endEditBlock();
}

void RtfReaderParser::openGroup()
{
    m_ucSkip = 0;
    if (m_stack.size() >= kRtfReaderMaxDepth) {
        m_stack.push_back(m_state);
        skipRestOfGroup();
        return;
    }
    m_stack.push_back(m_state);
    if (m_state.dest == RtfReaderDest::Upr)
        m_state.dest = RtfReaderDest::UprChild;
}

void RtfReaderParser::closeGroup()
{
    m_ucSkip = 0;
    if (m_fontEntryOpen && m_stack.size() <= m_fontEntryDepth)
        commitFont();
    if (m_picture && m_stack.size() <= m_picture->depth)
        finishPicture();
    if (m_stack.size() <= 1) {
        // The outermost group ends the document; anything after it is not read.
        finish();
        m_done = true;
        m_stack.clear();
        return;
    }
    m_state = m_stack.back();
    m_stack.pop_back();
    m_formatDirty = true;
}

// Skips to the brace that closes the current group, counting nested groups without keeping their
// state, and closes the group.
void RtfReaderParser::skipRestOfGroup()
{
    flushBytes();
    int depth = 1;
    while (m_pos < m_size) {
        const char c = m_data[m_pos++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                break;
        } else if (c == '\\' && m_pos < m_size) {
            const char n = m_data[m_pos];
            if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
                const qsizetype wordStart = m_pos;
                while (m_pos < m_size && ((m_data[m_pos] >= 'a' && m_data[m_pos] <= 'z') ||
                                          (m_data[m_pos] >= 'A' && m_data[m_pos] <= 'Z')))
                    ++m_pos;
                const bool bin = m_pos - wordStart == 3 && m_data[wordStart] == 'b' &&
                                 m_data[wordStart + 1] == 'i' && m_data[wordStart + 2] == 'n';
                bool negative = false;
                if (m_pos + 1 < m_size && m_data[m_pos] == '-' && m_data[m_pos + 1] >= '0' &&
                    m_data[m_pos + 1] <= '9') {
                    negative = true;
                    ++m_pos;
                }
                qint64 value = 0;
                int digits = 0;
                while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
                    if (digits++ < 10)
                        value = value * 10 + (m_data[m_pos] - '0');
                    ++m_pos;
                }
                if (m_pos < m_size && m_data[m_pos] == ' ')
                    ++m_pos;
                if (bin && !negative && value > 0)
                    m_pos += qsizetype(std::min<qint64>(value, m_size - m_pos));
            } else {
                ++m_pos; // \{ \} \\ and the other control symbols
            }
        }
    }
    if (depth > 0)
        return; // the data ends inside the skipped group: finish() runs at the end of the loop
    closeGroup();
}

void RtfReaderParser::controlToken()
{
    ++m_pos; // the backslash
    if (m_pos >= m_size)
        return;
    const char c = m_data[m_pos];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        char word[kRtfReaderMaxWord];
        int length = 0;
        bool tooLong = false;
        while (m_pos < m_size && ((m_data[m_pos] >= 'a' && m_data[m_pos] <= 'z') ||
                                  (m_data[m_pos] >= 'A' && m_data[m_pos] <= 'Z'))) {
            if (length < kRtfReaderMaxWord)
                word[length++] = m_data[m_pos];
            else
                tooLong = true;
            ++m_pos;
        }
        bool negative = false;
        if (m_pos + 1 < m_size && m_data[m_pos] == '-' && m_data[m_pos + 1] >= '0' &&
            m_data[m_pos + 1] <= '9') {
            negative = true;
            ++m_pos;
        }
        bool hasParam = false;
        qint64 value = 0;
        int digits = 0;
        while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
            hasParam = true;
            if (digits++ < 10)
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < m_size && m_data[m_pos] == ' ')
            ++m_pos;
        if (negative)
            value = -value;
        const int param = int(std::clamp<qint64>(value, -INT_MAX, INT_MAX));
        flushBytes();
        if (!tooLong)
            controlWord(std::string_view(word, std::size_t(length)), hasParam, param);
        else if (m_ucSkip > 0)
            --m_ucSkip;
        return;
    }
    ++m_pos;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_size) {
            const char h = m_data[m_pos];
            int v;
            if (h >= '0' && h <= '9')
                v = h - '0';
            else if (h >= 'a' && h <= 'f')
                v = h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                v = h - 'A' + 10;
            else
                break;
            value = value * 16 + v;
            ++digits;
            ++m_pos;
        }
        if (digits == 2)
            addByte(static_cast<unsigned char>(value));
        return;
    }
    flushBytes();
    controlSymbol(c);
}

void RtfReaderParser::controlWord(std::string_view word, bool hasParam, int param)
{
    if (m_state.dest == RtfReaderDest::Pict) {
        pictWord(word, hasParam, param);
        return;
    }
    const auto& words = rtfReaderWords();
    const auto found = words.find(word);
    if (found == words.end()) {
        if (m_ucSkip > 0)
            --m_ucSkip;
        return;
    }
    const RtfReaderWordInfo info = found->second;
    if (info.word == RtfReaderWord::Bin) {
        // Raw bytes follow, whatever the destination.
        if (hasParam && param > 0)
            m_pos += std::min<qsizetype>(param, m_size - m_pos);
        return;
    }
    if (m_ucSkip > 0) {
        --m_ucSkip; // a fallback for the \u before
        return;
    }
    RtfReaderChars& chars = m_state.chars;
    RtfReaderPara& para = m_state.para;
    const bool on = !hasParam || param != 0;
    const int twips = std::clamp(param, -kRtfReaderMaxTwips, kRtfReaderMaxTwips);
    const bool inFontTable = m_state.dest == RtfReaderDest::FontTable;
    switch (info.word) {
    case RtfReaderWord::Skip:
        skipRestOfGroup();
        return;
    case RtfReaderWord::FontTable:
        m_state.dest = RtfReaderDest::FontTable;
        return;
    case RtfReaderWord::ColorTable:
        m_state.dest = RtfReaderDest::ColorTable;
        m_red = m_green = m_blue = -1;
        return;
    case RtfReaderWord::Upr:
        m_state.uprOuter = m_state.dest;
        m_state.dest = RtfReaderDest::Upr;
        return;
    case RtfReaderWord::Ansi:
        m_codePage = 1252;
        return;
    case RtfReaderWord::Mac:
        m_codePage = 10000;
        return;
    case RtfReaderWord::Pc:
        m_codePage = 437;
        return;
    case RtfReaderWord::Pca:
        m_codePage = 850;
        return;
    case RtfReaderWord::AnsiCpg:
        if (hasParam && param > 0)
            m_codePage = param;
        return;
    case RtfReaderWord::Deff:
        m_defaultFont = param;
        m_formatCache.clear();
        m_formatDirty = true;
        return;
    case RtfReaderWord::Font:
        if (inFontTable) {
            commitFont();
            m_fontEntryOpen = true;
            m_fontEntryNumber = param;
            m_fontEntryDepth = m_stack.size();
            m_fontEntry = RtfReaderFont();
        } else {
            chars.font = param;
            m_formatDirty = true;
        }
        return;
    case RtfReaderWord::Charset:
        if (inFontTable && m_fontEntryOpen && m_fontEntry.codePage < 0)
            m_fontEntry.codePage = rtfReaderCharsetCodePage(param, -1);
        return;
    case RtfReaderWord::Cpg:
        if (inFontTable && m_fontEntryOpen && param > 0)
            m_fontEntry.codePage = param;
        return;
    case RtfReaderWord::Red:
        m_red = std::clamp(param, 0, 255);
        return;
    case RtfReaderWord::Green:
        m_green = std::clamp(param, 0, 255);
        return;
    case RtfReaderWord::Blue:
        m_blue = std::clamp(param, 0, 255);
        return;
    case RtfReaderWord::Foreground:
        chars.foreground = std::max(param, 0);
        break;
    case RtfReaderWord::Background:
        chars.background = std::max(param, 0);
        break;
    case RtfReaderWord::FontSize:
        chars.halfPoints = param > 0 ? std::min(param, 3276) : 24;
        break;
    case RtfReaderWord::Bold:
        chars.bold = on;
        break;
    case RtfReaderWord::Italic:
        chars.italic = on;
        break;
    case RtfReaderWord::Underline:
        chars.underline = on;
        break;
    case RtfReaderWord::UnderlineNone:
        chars.underline = false;
        break;
    case RtfReaderWord::Strike:
        chars.strike = on;
        break;
    case RtfReaderWord::Hidden:
        chars.hidden = on;
        break;
    case RtfReaderWord::Sub:
        chars.vertical = -1;
        break;
    case RtfReaderWord::Super:
        chars.vertical = 1;
        break;
    case RtfReaderWord::NoSuperSub:
        chars.vertical = 0;
        break;
    case RtfReaderWord::Up:
        chars.vertical = on ? 1 : 0;
        break;
    case RtfReaderWord::Down:
        chars.vertical = on ? -1 : 0;
        break;
    case RtfReaderWord::Plain:
        chars = RtfReaderChars();
        break;
    case RtfReaderWord::Pard:
        para = RtfReaderPara();
        return;
    case RtfReaderWord::AlignLeft:
        para.alignment = Qt::AlignLeft;
        return;
    case RtfReaderWord::AlignCenter:
        para.alignment = Qt::AlignHCenter;
        return;
    case RtfReaderWord::AlignRight:
        para.alignment = Qt::AlignRight;
        return;
    case RtfReaderWord::AlignJustify:
        para.alignment = Qt::AlignJustify;
        return;
    case RtfReaderWord::LeftIndent:
        para.left = twips;
        return;
    case RtfReaderWord::RightIndent:
        para.right = twips;
        return;
    case RtfReaderWord::FirstIndent:
        para.first = twips;
        return;
    case RtfReaderWord::SpaceBefore:
        para.before = std::max(twips, 0);
        return;
    case RtfReaderWord::SpaceAfter:
        para.after = std::max(twips, 0);
        return;
    case RtfReaderWord::Par:
        if (m_state.dest == RtfReaderDest::Text) {
            m_cellPending = false;
            endParagraph();
        }
        return;
    case RtfReaderWord::Line:
        emitChar(QChar::LineSeparator);
        return;
    case RtfReaderWord::Tab:
        emitChar(u'\t');
        return;
    case RtfReaderWord::Cell:
        if (m_state.dest == RtfReaderDest::Text && (m_rowOpen || tabled())) {
            syncTable();
            endCell();
        } else if (m_state.dest == RtfReaderDest::Text && !chars.hidden) {
            if (m_cellPending) {
                m_cellPending = false;
                emitChar(u'\t');
            }
            m_cellPending = true;
        }
        return;
    case RtfReaderWord::Row:
        if (m_state.dest == RtfReaderDest::Text && (m_rowOpen || m_table)) {
            if (m_rowOpen)
                endRow();
        } else if (m_state.dest == RtfReaderDest::Text) {
            m_cellPending = false;
            endParagraph();
        }
        return;
    case RtfReaderWord::Unicode: {
        const int code = param < 0 ? param + 65536 : param;
        char16_t ch = code >= 0 && code <= 0xFFFF ? char16_t(code) : char16_t(0xFFFD);
        if (ch >= 0xF020 && ch <= 0xF0FF && codePageNow() == kRtfReaderSymbolCodePage)
            ch = rtfReaderSymbolChar(static_cast<unsigned char>(ch - 0xF000));
        emitChar(ch);
        m_ucSkip = m_state.uc;
        return;
    }
    case RtfReaderWord::UnicodeSkip:
        m_state.uc = std::clamp(param, 0, 10000);
        return;
    case RtfReaderWord::Symbol:
        emitChar(info.ch);
        return;
    case RtfReaderWord::Pict:
        if (m_state.dest != RtfReaderDest::Text || chars.hidden || m_picture) {
            skipRestOfGroup();
            return;
        }
        m_picture.emplace();
        m_picture->depth = m_stack.size();
        m_state.dest = RtfReaderDest::Pict;
        return;
    case RtfReaderWord::RowDefaults:
        m_rowDefinition.clear();
        m_nextCell = CellDefinition();
        m_borderSide = false;
        return;
    case RtfReaderWord::CellX:
        if (m_rowDefinition.size() < kRtfReaderMaxColumns) {
            m_nextCell.right = std::clamp(param, 0, kRtfReaderMaxCellX);
            m_rowDefinition.push_back(m_nextCell);
        }
        m_nextCell = CellDefinition();
        m_borderSide = false;
        return;
    case RtfReaderWord::CellMergeFirst:
        return;
    case RtfReaderWord::CellMerge:
        m_nextCell.merge = true;
        return;
    case RtfReaderWord::CellVMergeFirst:
        m_nextCell.vmergeFirst = true;
        return;
    case RtfReaderWord::CellVMerge:
        m_nextCell.vmerge = true;
        return;
    case RtfReaderWord::CellBorderSide:
        m_borderSide = true;
        return;
    case RtfReaderWord::BorderStyle:
        if (m_borderSide && (!hasParam || param > 0 || word != "brdrw"))
            m_nextCell.border = true;
        return;
    case RtfReaderWord::BorderNone:
        m_borderSide = false;
        return;
    case RtfReaderWord::InTable:
        para.inTable = true;
        return;
    case RtfReaderWord::Transparent:
    case RtfReaderWord::Bin:
    case RtfReaderWord::Drop:
        return;
    }
    m_formatDirty = true;
}

void RtfReaderParser::controlSymbol(char c)
{
    if (c == '*') {
        // A picture's own group, read; its fallback (\nonshppict) is skipped as a known word.
        static constexpr std::string_view shppict = "\\shppict";
        if (m_state.dest == RtfReaderDest::Text && m_size - m_pos >= qsizetype(shppict.size()) &&
            std::string_view(m_data + m_pos, shppict.size()) == shppict &&
            (m_size - m_pos == qsizetype(shppict.size()) ||
             !std::isalpha(static_cast<unsigned char>(m_data[m_pos + qsizetype(shppict.size())]))))
            return;
        // An ignorable destination: skipped, but for the Unicode twin of an \upr group.
        if (m_state.dest == RtfReaderDest::UprChild && m_pos + 2 < m_size &&
            m_data[m_pos] == '\\' && m_data[m_pos + 1] == 'u' && m_data[m_pos + 2] == 'd' &&
            (m_pos + 3 >= m_size || !std::isalnum(static_cast<unsigned char>(m_data[m_pos + 3])))) {
            m_pos += 3;
            if (m_pos < m_size && m_data[m_pos] == ' ')
                ++m_pos;
            m_state.dest = m_state.uprOuter;
            return;
        }
        skipRestOfGroup();
        return;
    }
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        emitChar(char16_t(c));
        break;
    case '~':
        emitChar(0x00A0);
        break;
    case '_':
        emitChar(0x2011);
        break;
    case '\r':
    case '\n':
        if (m_state.dest == RtfReaderDest::Text) {
            m_cellPending = false;
            endParagraph();
        }
        break;
    case '\t':
        emitChar(u'\t');
        break;
    default: // \- optional hyphen, \| \: and unknown symbols
        break;
    }
}

void RtfReaderParser::textRun()
{
    if (m_state.dest == RtfReaderDest::Pict) {
        pictHex();
        return;
    }
    const auto c = static_cast<unsigned char>(m_data[m_pos]);
    if (m_expectTrail && c >= 0x20) {
        // The second byte of a double-byte character written raw after its escaped first byte.
        ++m_pos;
        addByte(c);
        return;
    }
    if (c >= 0x80) {
        ++m_pos;
        addByte(c);
        return;
    }
    flushBytes();
    if (c < 0x20) {
        ++m_pos;
        if (c == '\t')
            emitChar(u'\t');
        return;
    }
    const qsizetype start = m_pos;
    while (m_pos < m_size) {
        const auto t = static_cast<unsigned char>(m_data[m_pos]);
        if (t < 0x20 || t >= 0x80 || t == '\\' || t == '{' || t == '}')
            break;
        ++m_pos;
    }
    emitAscii(m_data + start, m_pos - start);
}

void RtfReaderParser::emitAscii(const char* text, qsizetype length)
{
    if (m_ucSkip > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_ucSkip, length);
        m_ucSkip -= int(skipped);
        text += skipped;
        length -= skipped;
    }
    if (length == 0)
        return;
    if (m_state.dest == RtfReaderDest::Text && codePageNow() != kRtfReaderSymbolCodePage) {
        if (prepareText())
            m_runText.append(QLatin1StringView(text, length));
        return;
    }
    const bool symbol = m_state.dest == RtfReaderDest::Text;
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        emitChar(symbol ? rtfReaderSymbolChar(b) : char16_t(b));
    }
}

void RtfReaderParser::emitString(const QString& text)
{
    for (QChar c : text)
        emitChar(c.unicode());
}

void RtfReaderParser::emitChar(char16_t ch)
{
    switch (m_state.dest) {
    case RtfReaderDest::Text:
        if (ch < 0x20 && ch != u'\t')
            return;
        if (ch == QChar::ParagraphSeparator) {
            endParagraph();
            return;
        }
        if (ch == 0xFDD0 || ch == 0xFDD1) // the document's own frame marks
            ch = 0xFFFD;
        if (prepareText())
            m_runText.append(QChar(ch));
        return;
    case RtfReaderDest::FontTable:
        if (ch == u';')
            commitFont();
        else if (m_fontEntryOpen && ch >= 0x20)
            m_fontEntry.family.append(QChar(ch));
        return;
    case RtfReaderDest::ColorTable:
        if (ch == u';')
            commitColor();
        return;
    case RtfReaderDest::Upr:
    case RtfReaderDest::UprChild:
    case RtfReaderDest::Pict:
        return;
    }
}

void RtfReaderParser::addByte(unsigned char byte)
{
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    const int codePage = codePageNow();
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(char(byte));
    if (m_expectTrail)
        m_expectTrail = false;
    else
        m_expectTrail = rtfReaderIsLeadByte(codePage, byte);
}

void RtfReaderParser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
    m_expectTrail = false;
    emitString(text);
}

QString RtfReaderParser::decode(int codePage, const QByteArray& bytes)
{
    if (codePage == kRtfReaderSymbolCodePage) {
        QString text;
        text.reserve(bytes.size());
        for (char b : bytes)
            text.append(QChar(rtfReaderSymbolChar(static_cast<unsigned char>(b))));
        return text;
    }
    if (codePage != 1252) {
        auto found = m_decoders.find(codePage);
        if (found == m_decoders.end()) {
            const char* name = rtfReaderCodecName(codePage);
            std::unique_ptr<QStringDecoder> decoder;
            if (name) {
                decoder = std::make_unique<QStringDecoder>(name, QStringDecoder::Flag::Stateless);
                if (!decoder->isValid())
                    decoder.reset();
            }
            found = m_decoders.emplace(codePage, std::move(decoder)).first;
        }
        if (found->second)
            return found->second->decode(bytes);
    }
    return cp1252::toUnicode(bytes);
}

int RtfReaderParser::fontCodePage(int font) const
{
    const auto found = m_fonts.find(font);
    if (found == m_fonts.end() || found->second.codePage < 0)
        return m_codePage;
    return found->second.codePage;
}

int RtfReaderParser::codePageNow()
{
    if (m_state.dest == RtfReaderDest::FontTable) {
        // A font's name is text in its code page, never Symbol glyphs.
        const int codePage =
            m_fontEntryOpen && m_fontEntry.codePage >= 0 ? m_fontEntry.codePage : m_codePage;
        return codePage == kRtfReaderSymbolCodePage ? 1252 : codePage;
    }
    return fontCodePage(m_state.chars.font >= 0 ? m_state.chars.font : m_defaultFont);
}

void RtfReaderParser::commitFont()
{
    if (!m_fontEntryOpen)
        return;
    flushBytes();
    m_fontEntryOpen = false;
    m_fontEntry.family = m_fontEntry.family.trimmed();
    m_fonts[m_fontEntryNumber] = m_fontEntry;
    m_formatCache.clear();
    m_formatDirty = true;
}

void RtfReaderParser::commitColor()
{
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colors.emplace_back(); // automatic
    else
        m_colors.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    m_red = m_green = m_blue = -1;
    m_formatCache.clear();
    m_formatDirty = true;
}

QTextCharFormat RtfReaderParser::charFormat(const RtfReaderChars& chars) const
{
    QTextCharFormat format;
    const auto font = m_fonts.find(chars.font >= 0 ? chars.font : m_defaultFont);
    if (font != m_fonts.end() && !font->second.family.isEmpty())
        format.setFontFamilies({font->second.family});
    format.setFontPointSize(chars.halfPoints / 2.0);
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    if (chars.vertical != 0)
        format.setVerticalAlignment(chars.vertical < 0 ? QTextCharFormat::AlignSubScript
                                                       : QTextCharFormat::AlignSuperScript);
    const auto colour = [this](int index) {
        return index >= 0 && std::size_t(index) < m_colors.size() ? m_colors[std::size_t(index)]
                                                                  : QColor();
    };
    const QColor foreground = colour(chars.foreground);
    if (foreground.isValid())
        format.setForeground(foreground);
    const QColor background = chars.background > 0 ? colour(chars.background) : QColor();
    if (background.isValid())
        format.setBackground(background);
    return format;
}

QTextBlockFormat RtfReaderParser::blockFormat(const RtfReaderPara& para)
{
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    if (para.left != 0)
        format.setLeftMargin(para.left / kRtfReaderTwipsPerPixel);
    if (para.right != 0)
        format.setRightMargin(para.right / kRtfReaderTwipsPerPixel);
    if (para.first != 0)
        format.setTextIndent(para.first / kRtfReaderTwipsPerPixel);
    if (para.before != 0)
        format.setTopMargin(para.before / kRtfReaderTwipsPerPixel);
    if (para.after != 0)
        format.setBottomMargin(para.after / kRtfReaderTwipsPerPixel);
    return format;
}

// Makes the block that text goes to exist: the document's first block, or the one a \par asked for.
void RtfReaderParser::ensureBlock()
{
    if (!m_blockStarted) {
        m_blockStarted = true;
        m_blockPara = m_state.para;
        m_cursor.setBlockFormat(blockFormat(m_blockPara));
        // Merged: a table cell's first block holds the cell's own format (its spans).
        m_cursor.mergeBlockCharFormat(cachedCharFormat(m_state.chars));
    } else if (m_blockPending) {
        flushRun();
        m_blockPending = false;
        m_blockPara = m_state.para;
        m_cursor.insertBlock(blockFormat(m_blockPara), cachedCharFormat(m_state.chars));
        countPieces(kRtfReaderParagraphPieces);
    }
}

void RtfReaderParser::countPieces(int pieces)
{
    m_pieces += pieces;
    if (m_pieces > kRtfReaderMaxPieces)
        m_done = true;
}

// Readies the run for text in the current character format; false for hidden text.
bool RtfReaderParser::prepareText()
{
    if (m_state.chars.hidden)
        return false;
    syncTable();
    ensureBlock();
    if (m_formatDirty) {
        m_formatDirty = false;
        if (!(m_state.chars == m_runChars)) {
            flushRun();
            m_runChars = m_state.chars;
        }
    }
    if (m_cellPending) {
        m_cellPending = false;
        m_runText.append(QLatin1Char('\t'));
    }
    return true;
}

void RtfReaderParser::flushRun()
{
    if (m_runText.isEmpty())
        return;
    m_cursor.insertText(m_runText, cachedCharFormat(m_runChars));
    m_runText.resize(0);
    countPieces(1);
}

// Statements use a handful of formats over and over: the last few built are kept.
const QTextCharFormat& RtfReaderParser::cachedCharFormat(const RtfReaderChars& chars)
{
    for (const auto& [key, format] : m_formatCache) {
        if (key == chars)
            return format;
    }
    if (m_formatCache.size() >= kRtfReaderFormatCacheSize)
        m_formatCache.erase(m_formatCache.begin());
    m_formatCache.emplace_back(chars, charFormat(chars));
    return m_formatCache.back().second;
}

// Ends the paragraph with the properties in force at its end; the next block is made when text or
// another paragraph end comes, so that a final \par leaves no empty block.
void RtfReaderParser::endParagraph()
{
    syncTable();
    ensureBlock();
    flushRun();
    if (!(m_state.para == m_blockPara)) {
        m_blockPara = m_state.para;
        m_cursor.setBlockFormat(blockFormat(m_blockPara));
    }
    m_blockPending = true;
}

void RtfReaderParser::finish()
{
    flushBytes();
    if (m_picture)
        finishPicture();
    if (m_rowOpen)
        endRow();
    flushRun();
    if (m_blockStarted && !m_blockPending && !(m_state.para == m_blockPara))
        m_cursor.setBlockFormat(blockFormat(m_state.para));
}

void RtfReaderParser::pictWord(std::string_view word, bool hasParam, int param)
{
    RtfReaderPicture& p = *m_picture;
    if (word == "pict") {
        skipRestOfGroup(); // a picture inside a picture
        return;
    }
    if (word == "bin") {
        if (hasParam && param > 0) {
            const qsizetype n = std::min<qsizetype>(param, m_size - m_pos);
            p.data.append(m_data + m_pos, n);
            m_pos += n;
        }
        p.nibble = -1;
        return;
    }
    if (word == "pngblip")
        p.kind = "png";
    else if (word == "jpegblip")
        p.kind = "jpeg";
    else if (word == "wmetafile" || word == "emfblip" || word == "macpict" ||
             word == "pmmetafile" || word == "dibitmap" || word == "wbitmap")
        p.kind = QByteArray(word.data(), qsizetype(word.size()));
    else if (word == "picw")
        p.picw = param;
    else if (word == "pich")
        p.pich = param;
    else if (word == "picwgoal")
        p.goalw = param;
    else if (word == "pichgoal")
        p.goalh = param;
    else if (word == "picscalex")
        p.scalex = param;
    else if (word == "picscaley")
        p.scaley = param;
    // Every word as read, for a format written back as it came.
    p.header.append('\\');
    p.header.append(word.data(), qsizetype(word.size()));
    if (hasParam)
        p.header.append(QByteArray::number(param));
}

// The picture's hex digits up to the next control word or group; blanks and stray characters are
// passed over (a damaged picture is shown as a placeholder).
void RtfReaderParser::pictHex()
{
    static const std::array<signed char, 256> hexValues = [] {
        std::array<signed char, 256> table{};
        table.fill(-1);
        for (int c = '0'; c <= '9'; ++c)
            table[std::size_t(c)] = static_cast<signed char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            table[std::size_t(c)] = static_cast<signed char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c)
            table[std::size_t(c)] = static_cast<signed char>(c - 'A' + 10);
        return table;
    }();
    RtfReaderPicture& p = *m_picture;
    qsizetype end = m_pos;
    while (end < m_size && m_data[end] != '\\' && m_data[end] != '{' && m_data[end] != '}')
        ++end;
    const qsizetype was = p.data.size();
    p.data.resize(was + (end - m_pos) / 2 + 1);
    char* out = p.data.data() + was;
    int nibble = p.nibble;
    for (qsizetype i = m_pos; i < end; ++i) {
        const int v = hexValues[static_cast<unsigned char>(m_data[i])];
        if (v < 0)
            continue;
        if (nibble < 0) {
            nibble = v;
        } else {
            *out++ = char(nibble * 16 + v);
            nibble = -1;
        }
    }
    p.nibble = nibble;
    p.data.resize(out - p.data.constData());
    m_pos = end;
}

void RtfReaderParser::finishPicture()
{
    RtfReaderPicture p = std::move(*m_picture);
    m_picture.reset();
    Picture picture;
    picture.kind = p.kind;
    picture.data = std::move(p.data);
    const bool image = p.kind == "png" || p.kind == "jpeg";
    const QSize natural = image ? pictureImageSize(p.kind, picture.data) : QSize();
    if (!image)
        picture.header = std::move(p.header);
    // The size without its goal, in twips: a bitmap's \picw is in pixels, a metafile's in
    // hundredths of a millimetre.
    const auto twipsOf = [&](int pic, int naturalPixels) {
        if (pic > 0)
            return image ? double(pic) * kRtfReaderTwipsPerPixel : double(pic) * 1440.0 / 2540.0;
        return naturalPixels > 0 ? naturalPixels * kRtfReaderTwipsPerPixel : 1500.0;
    };
    double width = p.goalw > 0 ? p.goalw : twipsOf(p.picw, natural.width());
    double height = p.goalh > 0 ? p.goalh : twipsOf(p.pich, natural.height());
    width *= std::clamp(p.scalex, 1, 10000) / 100.0 / kRtfReaderTwipsPerPixel;
    height *= std::clamp(p.scaley, 1, 10000) / 100.0 / kRtfReaderTwipsPerPixel;
    const double shrink = std::min({1.0, kPictureMaxSide / width, kPictureMaxSide / height});
    picture.size = QSize(std::clamp(int(std::lround(width * shrink)), 1, kPictureMaxSide),
                         std::clamp(int(std::lround(height * shrink)), 1, kPictureMaxSide));
    flushRun();
    syncTable();
    ensureBlock();
    insertPicture(m_cursor, picture);
    countPieces(1);
}

// Puts the text where its paragraph belongs: a table paragraph opens its row, another one leaves
// the table.
void RtfReaderParser::syncTable()
{
    if (tabled()) {
        if (!m_rowOpen)
            openRow();
    } else if (m_table) {
        leaveTable();
    }
}

// Merges the cells, leaving out the blank that Qt puts before the content it joins.
void RtfReaderParser::mergeCells(int row, int column, int rows, int columns)
{
    const int end = m_table->cellAt(row, column).lastPosition();
    m_table->mergeCells(row, column, rows, columns);
    const QTextTableCell cell = m_table->cellAt(row, column);
    if (cell.lastPosition() > end && m_table->document()->characterAt(end) == QLatin1Char(' ')) {
        QTextCursor joined(m_table->document());
        joined.setPosition(end);
        joined.setPosition(end + 1, QTextCursor::KeepAnchor);
        joined.removeSelectedText();
    }
}

void RtfReaderParser::leaveTable()
{
    if (m_rowOpen)
        endRow();
    m_table = nullptr;
    m_grid.clear();
    m_vmergeTop.clear();
}

// Adds the row defined last to the table (making the table at its first row), its merged cells
// joined, and goes into its first cell.
void RtfReaderParser::openRow()
{
    flushRun();
    std::vector<CellDefinition> definition = m_rowDefinition;
    if (definition.empty())
        definition.push_back({.right = m_grid.empty() ? kRtfReaderRowWidth : m_grid.back()});
    struct Span {
        int left;
        int right;
        CellDefinition cell;
    };
    std::vector<Span> spans;
    std::vector<std::size_t> spanOf; // each defined cell's span (a merged one, the span before)
    int left = 0;
    bool border = false;
    for (const CellDefinition& cell : definition) {
        // Boundaries go up, within the bound; one that cannot joins the cell before.
        const int right = std::min(std::max(cell.right, left + 1), kRtfReaderMaxCellX);
        if ((cell.merge || right <= left) && !spans.empty())
            spans.back().right = std::max(spans.back().right, right);
        else
            spans.push_back({left, right, cell});
        spanOf.push_back(spans.size() - 1);
        border = border || cell.border;
        left = std::max(left, right);
    }
    std::vector<int> grid = m_grid;
    for (const Span& span : spans) {
        const auto at = std::lower_bound(grid.begin(), grid.end(), span.right);
        if (at == grid.end() || *at != span.right)
            grid.insert(at, span.right);
    }
    if (m_table && (grid.size() > kRtfReaderMaxColumns ||
                    (m_table->rows() + 1) * int(grid.size()) > kRtfReaderMaxTableCells)) {
        leaveTable();
        grid.clear();
        for (const Span& span : spans)
            grid.push_back(span.right);
    }
    if (!m_table) {
        QTextTableFormat format;
        format.setBorder(border ? 1 : 0);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(Qt::black));
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        m_table = m_cursor.insertTable(1, int(grid.size()), format);
        m_grid = grid;
        m_vmergeTop.assign(grid.size(), -1);
    } else {
        // A boundary new to the table splits a column: the cells of the rows above stay whole.
        for (std::size_t i = 0; i < grid.size(); ++i) {
            if (i < m_grid.size() && m_grid[i] == grid[i])
                continue;
            const int column = int(i);
            const bool split = i < m_grid.size(); // else a column after the rows above
            m_table->insertColumns(column, 1);
            m_grid.insert(m_grid.begin() + qsizetype(i), grid[i]);
            m_vmergeTop.insert(m_vmergeTop.begin() + qsizetype(i), -1);
            for (int row = 0; split && row < m_table->rows(); ++row) {
                const QTextTableCell cell = m_table->cellAt(row, column + 1);
                if (cell.row() == row && cell.column() == column + 1)
                    mergeCells(row, column, cell.rowSpan(), cell.columnSpan() + 1);
            }
        }
        m_table->appendRows(1);
        if (border && m_table->format().border() <= 0) {
            QTextTableFormat format = m_table->format();
            format.setBorder(1);
            m_table->setFormat(format);
        }
    }
    QTextTableFormat format = m_table->format();
    QList<QTextLength> widths;
    int previous = 0;
    for (const int right : m_grid) {
        widths.append(QTextLength(QTextLength::FixedLength,
                                  std::max(1, right - previous) / kRtfReaderTwipsPerPixel));
        previous = right;
    }
    if (format.columnWidthConstraints() != widths) {
        format.setColumnWidthConstraints(widths);
        m_table->setFormat(format);
    }
    const int row = m_table->rows() - 1;
    std::vector<CellPlace> places;
    for (const Span& span : spans) {
        const int first =
            int(std::upper_bound(m_grid.begin(), m_grid.end(), span.left) - m_grid.begin());
        const int last =
            int(std::lower_bound(m_grid.begin(), m_grid.end(), span.right) - m_grid.begin());
        const int columns = std::max(1, last - first + 1);
        if (columns > 1)
            mergeCells(row, first, 1, columns);
        int& top = m_vmergeTop[std::size_t(first)];
        if (span.cell.vmerge && top >= 0) {
            const QTextTableCell above = m_table->cellAt(top, first);
            if (above.column() == first && above.columnSpan() == columns)
                mergeCells(top, first, row - top + 1, columns);
            else
                top = -1;
        } else {
            top = span.cell.vmergeFirst ? row : -1;
        }
        places.push_back({first, columns});
    }
    m_rowCells.clear();
    for (const std::size_t span : spanOf)
        m_rowCells.push_back(places[span]);
    countPieces(int(spans.size()) * kRtfReaderParagraphPieces);
    m_tableCells += int(m_grid.size());
    m_rowOpen = true;
    m_cellIndex = 0;
    enterCell(0);
}

void RtfReaderParser::enterCell(std::size_t index)
{
    flushRun();
    const QTextTableCell cell = m_table->cellAt(m_table->rows() - 1, m_rowCells[index].column);
    m_cursor = cell.lastCursorPosition();
    m_blockStarted = false; // the cell's block takes the paragraph's format
    m_blockPending = false;
}

void RtfReaderParser::endCell()
{
    if (!m_rowOpen)
        return;
    ensureBlock();
    flushRun();
    if (!(m_state.para == m_blockPara)) {
        m_blockPara = m_state.para;
        m_cursor.setBlockFormat(blockFormat(m_blockPara));
    }
    if (m_cellIndex + 1 < m_rowCells.size())
        enterCell(++m_cellIndex);
    else
        m_blockPending = true; // more cells than the row defines: paragraphs of its last one
}

void RtfReaderParser::endRow()
{
    flushRun();
    m_rowOpen = false;
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_blockStarted = false; // the block after the table
    m_blockPending = false;
}

qsizetype rtfReaderStart(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' ||
                                bytes[i] == '\n' || bytes[i] == '\f' || bytes[i] == '\v'))
        ++i;
    if (bytes.size() - i >= 5 && std::string_view(bytes.constData() + i, 5) == "{\\rtf")
        return i;
    return -1;
}

} // namespace

bool isRtf(const QByteArray& bytes)
{
    return rtfReaderStart(bytes) >= 0;
}

ReadStatus read(const QByteArray& bytes, QTextDocument& document)
{
    const qsizetype start = rtfReaderStart(bytes);
    if (start < 0)
        return ReadStatus::NotRtf;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    forgetPictures(document);
    RtfReaderParser parser(bytes, document);
    parser.run(start);
    const bool tooLarge = parser.tooLarge();
    if (tooLarge)
        document.clear();
    document.setUndoRedoEnabled(undo);
    return tooLarge ? ReadStatus::TooLarge : ReadStatus::Read;
}

QString documentComment(const QByteArray& bytes)
{
    constexpr qsizetype MaxChars = 4096;
    const qsizetype info = bytes.indexOf("{\\info");
    if (info < 0)
        return QString();
    qsizetype at = bytes.indexOf("\\doccomm", info);
    if (at < 0)
        return QString();
    at += 8;
    if (at < bytes.size() && bytes[at] == ' ')
        ++at;
    QString out;
    int depth = 0;
    int fallback = 0; // characters after a \u that stand for it
    const auto hexValue = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    while (at < bytes.size() && out.size() < MaxChars) {
        const char c = bytes[at];
        if (c == '{') {
            ++depth;
            ++at;
        } else if (c == '}') {
            if (depth == 0)
                break;
            --depth;
            ++at;
        } else if (c == '\r' || c == '\n') {
            ++at;
        } else if (c != '\\') {
            if (fallback > 0)
                --fallback;
            else
                out += cp1252::toChar(static_cast<unsigned char>(c));
            ++at;
        } else if (at + 1 < bytes.size() &&
                   !std::isalpha(static_cast<unsigned char>(bytes[at + 1]))) {
            const char next = bytes[at + 1];
            if (next == '\'' && at + 3 < bytes.size() && hexValue(bytes[at + 2]) >= 0 &&
                hexValue(bytes[at + 3]) >= 0) {
                if (fallback > 0)
                    --fallback;
                else
                    out += cp1252::toChar(static_cast<unsigned char>(hexValue(bytes[at + 2]) * 16 +
                                                                     hexValue(bytes[at + 3])));
                at += 4;
            } else {
                if (next == '\\' || next == '{' || next == '}')
                    out += QLatin1Char(next);
                at += 2;
            }
        } else {
            // A control word: \uN gives a character, the others say nothing here.
            qsizetype end = at + 1;
            while (end < bytes.size() && std::isalpha(static_cast<unsigned char>(bytes[end])))
                ++end;
            const QByteArray name = bytes.mid(at + 1, end - at - 1);
            qsizetype digits = end;
            if (digits < bytes.size() && bytes[digits] == '-')
                ++digits;
            while (digits < bytes.size() &&
                   std::isdigit(static_cast<unsigned char>(bytes[digits])) && digits - end < 8)
                ++digits;
            const QByteArray number = bytes.mid(end, digits - end);
            at = digits < bytes.size() && bytes[digits] == ' ' ? digits + 1 : digits;
            if (name == "u" && !number.isEmpty()) {
                int value = number.toInt();
                if (value < 0)
                    value += 65536;
                out += QChar(char16_t(value));
                fallback = 1;
            }
        }
    }
    return out.trimmed();
}

} // namespace rtf
