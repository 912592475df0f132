// SPDX-License-Identifier: GPL-3.0-or-later
// What each fuzz target does with one input, shared by the libFuzzer programs and by the test that
// replays the stored inputs without libFuzzer. Every body returns the empty text when everything it
// checks holds, and otherwise says which rule the input broke.
#pragma once

#include "core/config/configuration.h"
#include "core/config/recordfile.h"
#include "core/exercises/exercisefile.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"
#include "core/expr/engine.h"
#include "core/platform/cp1252.h"
#include "core/platform/numtext.h"
#include "core/table/tablemodel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace fuzzbodies {

namespace detail {

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A scratch folder that lives as long as the program.
inline const QString& scratchFolder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

inline QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a record of a file holding bytes reads as, from the layout alone: a 16-bit little-endian
// length, then that many Windows-1252 bytes (or fewer when the file ends first).
inline std::optional<QString> expectedRecord(const QByteArray& bytes, int recordNumber)
{
    if (recordNumber < 1)
        return std::nullopt;
    const qint64 start = qint64(recordNumber - 1) * RecordFile::RecordSize;
    if (start + 2 > bytes.size())
        return QString();
    const int length = static_cast<unsigned char>(bytes[start]) |
                       (static_cast<unsigned char>(bytes[start + 1]) << 8);
    if (length > RecordFile::MaxTextBytes)
        return std::nullopt;
    return cp1252::toUnicode(bytes.mid(start + 2, length));
}

// The bytes a file holds after a successful write of text as record recordNumber.
inline QByteArray afterWrite(QByteArray bytes, int recordNumber, const QByteArray& text)
{
    const qsizetype start = qsizetype(recordNumber - 1) * RecordFile::RecordSize;
    if (bytes.size() < start)
        bytes.append(QByteArray(start - bytes.size(), '\0'));
    QByteArray record;
    record.append(char(text.size() & 0xff));
    record.append(char((text.size() >> 8) & 0xff));
    record.append(text);
    if (bytes.size() < start + record.size())
        bytes.resize(start + record.size());
    std::memcpy(bytes.data() + start, record.constData(), size_t(record.size()));
    return bytes;
}

inline QString describe(const QString& rule, const QString& detail)
{
    return rule + QStringLiteral(": ") + detail.left(200);
}

inline bool hasOnly(const QString& text, const char* allowed)
{
    for (QChar c : text)
        if (c.unicode() > 0x7f || !std::strchr(allowed, char(c.unicode())) || c.unicode() == 0)
            return false;
    return true;
}

inline bool hasNonZeroDigit(const QString& text)
{
    for (QChar c : text)
        if (c >= u'1' && c <= u'9')
            return true;
    return false;
}

} // namespace detail

// Names read from an exercise file may hold a NUL character, on which Qt's file functions warn
// ("Broken filename passed to function") and return nothing: those warnings are dropped, so that
// they do not flood the output at every input. Every other message goes on as before.
inline void dropBrokenFilenameWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtWarningMsg && message.startsWith(QLatin1String("Broken filename")))
                return;
            previous(type, context, message);
        });
}

// For the libFuzzer programs: a broken rule stops the run as a crash would, saying which.
inline int stopOnFinding(const QString& finding)
{
    if (!finding.isEmpty()) {
        std::fprintf(stderr, "==fuzz finding== %s\n", finding.toUtf8().constData());
        std::abort();
    }
    return 0;
}

// ---- The expression engine ---------------------------------------------------------------------

// The input, read as UTF-8, is evaluated in both angle modes: the error code is one of the four,
// a success leaves a single trimmed token, an angle mode other than radians gives what degrees
// gave (the same evaluation twice), and no rewriting makes the text grow without bound. On texts
// the normaliser only spaces out, simplifying a simplified text changes nothing, and a number
// result stays the same when the text is made long.
inline QString fuzzExpression(const std::uint8_t* data, std::size_t size)
{
    using detail::describe;
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    // A number is at most 22 characters and the normaliser at most triples the rest, so that no
    // result comes near this.
    const qsizetype longest = 64 * input.size() + 64;

    QString degrees;
    for (int mode : {int(expr::Degrees), int(expr::Radians), 7}) {
        QString text = input;
        int code = -1;
        expr::evaluateExpression(text, code, mode);
        if (code < expr::NoError || code > expr::MissingOperand)
            return describe(QStringLiteral("error code out of range"), QString::number(code));
        if (text.size() > longest)
            return describe(QStringLiteral("result too long"), QString::number(text.size()));
        if (code == expr::NoError && text.contains(QLatin1Char(' ')))
            return describe(QStringLiteral("success with spaces left"), text);
        const QString result = text + QLatin1Char('#') + QString::number(code);
        if (mode == expr::Degrees)
            degrees = result;
        else if (mode != expr::Radians && result != degrees) // any mode but radians is degrees
            return describe(QStringLiteral("angle mode 7 is not degrees"),
                            result + " / " + degrees);
    }

    expr::Engine engine;
    QString normalised = input;
    engine.normaliseExpression(normalised);
    if (!normalised.startsWith(QLatin1Char(' ')) || !normalised.endsWith(QLatin1Char(' ')))
        return describe(QStringLiteral("normalised text without its end spaces"), normalised);
    engine.countTokens(normalised);
    if (engine.parenCount < 0 || engine.operatorCount < 0 || engine.functionCount < 0)
        return describe(QStringLiteral("negative token count"), normalised);

    // Digits, points, exponent letters, operators and parentheses: the normaliser only adds
    // spaces to them, so that a simplified text is its own simplification.
    if (detail::hasOnly(input, "0123456789.eEdD+-*/^() ")) {
        QString once = input;
        if (engine.simplifyExpression(once)) {
            QString twice = once;
            if (!engine.simplifyExpression(twice))
                return describe(QStringLiteral("simplified text fails to simplify"), once);
            if (twice != once)
                return describe(QStringLiteral("simplification not stable"), once + " / " + twice);
        }
        // A text that evaluates to a number gives the same number with "+0" added 150 times:
        // a sum is reduced after every other operator, leftmost first, and adding 0 changes
        // nothing. The longer text goes through the engine's rewriting of long texts.
        const QString trimmedInput = input.trimmed();
        const std::optional<double> value = numtext::readNumber(degrees.section(u'#', 0, 0));
        if (degrees.endsWith(QStringLiteral("#0")) && value &&
            numtext::writeNumberTrimmed(*value) + QStringLiteral("#0") == degrees &&
            !trimmedInput.endsWith(u'e', Qt::CaseInsensitive) &&
            !trimmedInput.endsWith(u'd', Qt::CaseInsensitive)) {
            QString padded = input + QStringLiteral("+0").repeated(150);
            int code = -1;
            expr::evaluateExpression(padded, code, expr::Degrees);
            if (padded + QLatin1Char('#') + QString::number(code) != degrees)
                return describe(QStringLiteral("long text evaluated otherwise"),
                                padded + " / " + degrees);
        }
    }
    return QString();
}

// ---- Number texts ------------------------------------------------------------------------------

// The patterns the program writes numbers with; the free format is the empty one.
inline const QStringList& numberPatterns()
{
    static const QStringList patterns{
        table::StartFormat,      QStringLiteral("0.00E+00"),      QStringLiteral("##.######"),
        QStringLiteral("##0.0"), QStringLiteral("#.#######E+00"), QString(),
        table::SortFormat};
    return patterns;
}

// Byte 0 picks a pattern (past the program's patterns, the text is the pattern), bytes 1 to 8 are
// a double, the rest a text (Latin-1). The reader runs on the text, every writer on the value:
// the engine's number writer reads back to the value within its 15 digits (and to the same text),
// the display patterns write only what they may, negative values as the positive ones with a
// minus, and the rounding to an integer is the nearest, halves to even.
inline QString fuzzNumtext(const std::uint8_t* data, std::size_t size)
{
    using detail::describe;
    if (size < 9)
        return QString();
    double value = 0;
    std::memcpy(&value, data + 1, sizeof value);
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data + 9), qsizetype(size - 9));
    const QStringList& patterns = numberPatterns();
    const QString pattern = data[0] < patterns.size() ? patterns.at(data[0]) : text.left(256);

    // The reader.
    const std::optional<double> read = numtext::readNumber(text);
    if (read && std::isnan(*read))
        return describe(QStringLiteral("reader gave NaN"), text);
    if (numtext::readNumber(text + QLatin1Char(')')) != read)
        return describe(QStringLiteral("reader went past a character that ends a number"), text);
    if (numtext::readNumber(QStringLiteral("  ") + text) != read)
        return describe(QStringLiteral("leading spaces changed the number"), text);
    if (numtext::readNumber(text.toUpper()) != read) // "e" and "d" are "E" and "D"
        return describe(QStringLiteral("letter case changed the number"), text);
    table::parseCellNumber(text);
    table::normalisedCell(text, pattern);
    exercises::leadingNumber(text);

    // The engine's writer.
    const QString written = numtext::writeNumber(value);
    const QString trimmed = numtext::writeNumberTrimmed(value);
    if (std::isnan(value)) {
        if (!written.isEmpty() || !trimmed.isEmpty())
            return describe(QStringLiteral("NaN written"), QLatin1Char('"') + written + '"');
    } else {
        if (!detail::hasOnly(written, " -0123456789.E+") || written.size() > 23)
            return describe(QStringLiteral("odd number text"), written);
        if (!written.endsWith(trimmed) || (written != trimmed && written != u' ' + trimmed))
            return describe(QStringLiteral("trimmed text differs"), written + " / " + trimmed);
        if (!written.startsWith(QLatin1Char(' ')) && !written.startsWith(QLatin1Char('-')))
            return describe(QStringLiteral("no leading blank or sign"), written);
    }
    if (std::isfinite(value)) {
        const std::optional<double> back = numtext::readNumber(written);
        if (!back)
            return describe(QStringLiteral("written number does not read back"), written);
        // (the last term for subnormal values, whose digits beyond the first few are not there)
        if (!(std::fabs(*back - value) <= 1e-14 * std::fabs(value) + 1e-321))
            return describe(QStringLiteral("written number reads back elsewhere"), written);
        // 15 significant digits survive a trip through a double, out of the subnormal range.
        if (std::fabs(value) >= DBL_MIN && numtext::writeNumber(*back) != written)
            return describe(QStringLiteral("written number not stable"), written);
    }

    // The display patterns.
    for (const QString& p : patterns) {
        const QString shown = numtext::format(value, p);
        if (!std::isfinite(value)) {
            if (!shown.isEmpty())
                return describe(QStringLiteral("non-finite value shown"), shown);
            continue;
        }
        if (!detail::hasOnly(shown, "-0123456789,E+"))
            return describe(QStringLiteral("odd display text"), p + " -> " + shown);
        if (shown.contains(QLatin1Char('-')) && !shown.startsWith(QLatin1Char('-')) &&
            !shown.contains(QStringLiteral("E-")))
            return describe(QStringLiteral("misplaced minus"), p + " -> " + shown);
        if (shown.startsWith(QLatin1Char('-')) && !detail::hasNonZeroDigit(shown))
            return describe(QStringLiteral("minus before zero"), p + " -> " + shown);
        const QString opposite = numtext::format(-value, p);
        const QString unsignedShown = shown.startsWith(QLatin1Char('-')) ? shown.mid(1) : shown;
        const QString unsignedOpposite =
            opposite.startsWith(QLatin1Char('-')) ? opposite.mid(1) : opposite;
        if (unsignedShown != unsignedOpposite)
            return describe(QStringLiteral("sign changes the digits"), p + " -> " + shown);
        table::formatCellNumber(float(value), p);
    }
    numtext::format(value, pattern);
    numtext::formatSingle(float(value));
    numtext::singleDigits(float(value));
    const QString scientific = numtext::scientificText(value);
    QString expected = numtext::format(value, QStringLiteral("#.#######E+00"));
    expected.replace(QLatin1Char(','), QLatin1Char('.'));
    if (scientific != expected)
        return describe(QStringLiteral("scientific text"), scientific);

    // Rounding to an integer: the default rounding of the machine is to the nearest, halves to
    // the even neighbour.
    if (std::isfinite(value)) {
        const double rounded = numtext::roundHalfEven(value);
        if (rounded != std::nearbyint(value))
            return describe(QStringLiteral("roundHalfEven"), QString::number(value, 'g', 17));
        const double nearest = std::nearbyint(value);
        const int asInt = nearest >= double(INT_MAX)   ? INT_MAX
                          : nearest <= double(INT_MIN) ? INT_MIN
                                                       : int(nearest);
        if (numtext::roundToInt(value) != asInt)
            return describe(QStringLiteral("roundToInt"), QString::number(value, 'g', 17));
    } else {
        numtext::roundHalfEven(value);
        numtext::roundToInt(value);
    }
    return QString();
}

// ---- Record files ------------------------------------------------------------------------------

// The input is a record file: every record reads as its layout says, by the class and by the
// one-record function alike. Then a few writes taken from the input (record number from one byte,
// text from the bytes after it) change the file exactly as the layout says, and read back.
inline QString fuzzRecordFile(const std::uint8_t* data, std::size_t size)
{
    using detail::describe;
    const QByteArray input = detail::bytesOf(data, size);
    const QString path = detail::scratchFolder() + QStringLiteral("records.dat");
    if (!detail::writeFile(path, input))
        return describe(QStringLiteral("scratch file"), path);
    const int last = int(size / RecordFile::RecordSize) + 2;
    {
        RecordFile file(path);
        if (!file.openReadOnly())
            return describe(QStringLiteral("cannot open"), path);
        for (int n = -1; n <= last; ++n) {
            const std::optional<QString> record = file.read(n);
            if (record != detail::expectedRecord(input, n))
                return describe(QStringLiteral("record read"), QString::number(n));
            if ((n == 1 || n == last) && readRecord(path, n) != record)
                return describe(QStringLiteral("readRecord differs"), QString::number(n));
        }
        if (file.write(1, QStringLiteral("x")))
            return describe(QStringLiteral("write to a read-only file"), path);
    }
    if (detail::fileContents(path) != input)
        return describe(QStringLiteral("reading changed the file"), path);

    QByteArray model = input;
    RecordFile file(path);
    if (!file.open())
        return describe(QStringLiteral("cannot open for writing"), path);
    std::size_t at = 0;
    for (int op = 0; op < 4 && at + 2 <= size; ++op) {
        const int recordNumber = int(data[at] % (last + 3)) - 1; // -1 to last + 1
        const std::size_t length = std::min<std::size_t>(data[at + 1] % 140, size - at - 2);
        const QString text = cp1252::toUnicode(input.mid(qsizetype(at + 2), qsizetype(length)));
        at += 2 + length;
        const QByteArray encoded = cp1252::fromUnicode(text);
        const bool fits = recordNumber >= 1 && encoded.size() <= RecordFile::MaxTextBytes;
        if (file.write(recordNumber, text) != fits)
            return describe(QStringLiteral("write result"), QString::number(recordNumber));
        if (fits)
            model = detail::afterWrite(model, recordNumber, encoded);
        if (detail::fileContents(path) != model)
            return describe(QStringLiteral("file after write"), QString::number(recordNumber));
        if (fits && file.read(recordNumber) != cp1252::toUnicode(encoded))
            return describe(QStringLiteral("record does not read back"), text);
    }
    for (int n = 1; n <= int(model.size() / RecordFile::RecordSize) + 2; ++n)
        if (file.read(n) != detail::expectedRecord(model, n))
            return describe(QStringLiteral("record after writes"), QString::number(n));
    return QString();
}

// ---- Exercise files ----------------------------------------------------------------------------

// The folder the names of an exercise are resolved in: a few entries, one of them in a
// sub-folder, in letter cases that differ from the names of the sample exercises.
inline const QString& exerciseFolder()
{
    static const QString folder = [] {
        const QString f = detail::scratchFolder() + QStringLiteral("exo/");
        QDir().mkpath(f + QStringLiteral("Sous"));
        for (const char* name : {"ENONCE.RTF", "Config.p02", "corrige.rtf", "Sous/Enonce.rtf"})
            detail::writeFile(f + QLatin1String(name), QByteArrayLiteral("{\\rtf1 x}"));
        return f;
    }();
    return folder;
}

inline QString checkResolved(const QString& folder, const QString& name)
{
    using detail::describe;
    const std::optional<QString> path = exercises::resolveName(folder, name);
    QString relative = name.trimmed();
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path) {
        return QString();
    }
    if (relative.isEmpty())
        return describe(QStringLiteral("blank name resolved"), *path);
    if (relative.startsWith(QLatin1Char('/')))
        return describe(QStringLiteral("absolute name resolved"), *path);
    if (!path->startsWith(folder))
        return describe(QStringLiteral("resolved outside the folder"), *path);
    const QStringList parts = path->mid(folder.size()).split(QLatin1Char('/'));
    if (parts.contains(QStringLiteral("..")))
        return describe(QStringLiteral("resolved path climbs"), *path);
    return QString();
}

// The input is an exercise file: it reads when its first eleven records are sound, as those
// records; the preview stays in its ranges; a difficulty reads as a finite number; and no name in
// it, nor the input itself as a name, resolves to a path that leaves the exercise's folder.
inline QString fuzzExercise(const std::uint8_t* data, std::size_t size)
{
    using detail::describe;
    const QByteArray input = detail::bytesOf(data, size);
    const QString path = detail::scratchFolder() + QStringLiteral("input.E02");
    if (!detail::writeFile(path, input))
        return describe(QStringLiteral("scratch file"), path);

    QStringList records;
    bool sound = true;
    for (int n = 1; n <= 11; ++n) {
        const std::optional<QString> record = detail::expectedRecord(input, n);
        sound = sound && record.has_value();
        records << record.value_or(QString());
    }
    const std::optional<exercises::ExerciseRecords> exercise = exercises::readExercise(path);
    if (exercise.has_value() != sound)
        return describe(QStringLiteral("readExercise"), sound ? "refused" : "accepted");
    const bool headSound = detail::expectedRecord(input, 1) && detail::expectedRecord(input, 2);
    const std::optional<exercises::ExerciseRecords> start = exercises::readGettingStarted(path);
    if (start.has_value() != headSound)
        return describe(QStringLiteral("readGettingStarted"), headSound ? "refused" : "accepted");
    if (start && (start->statement != records.at(0) || start->configuration != records.at(1)))
        return describe(QStringLiteral("getting-started records"), start->statement);

    QStringList names{QString::fromLatin1(input.left(300))};
    if (exercise) {
        const exercises::ExerciseRecords& r = *exercise;
        if (r.statement != records.at(0) || r.configuration != records.at(1) ||
            r.correctedStatement != records.at(2) || r.correctedConfiguration != records.at(3) ||
            r.difficulty != records.at(4) || r.notions != records.mid(6, 4) ||
            r.title != records.at(10))
            return describe(QStringLiteral("exercise records"), r.statement);
        const exercises::Preview p = exercises::preview(r);
        if (p.litMarks < 0 || p.litMarks > 3)
            return describe(QStringLiteral("lit marks"), QString::number(p.litMarks));
        const bool corrected = !r.correctedStatement.trimmed().isEmpty() ||
                               !r.correctedConfiguration.trimmed().isEmpty();
        if (p.status != (corrected ? exercises::Corrected : exercises::NotCorrected))
            return describe(QStringLiteral("preview status"), p.status);
        if (p.title != r.title.trimmed())
            return describe(QStringLiteral("preview title"), p.title);
    }
    for (const QString& record : records) {
        if (!std::isfinite(exercises::leadingNumber(record)))
            return describe(QStringLiteral("leadingNumber not finite"), record);
        names << record;
    }

    names.removeDuplicates();
    const QString& folder = exerciseFolder();
    QString withoutSlash = folder;
    withoutSlash.chop(1);
    for (qsizetype k = 0; k < names.size(); ++k) {
        // the folder as the program gives it, and once without its last "/"
        const QString finding = checkResolved(k == 1 ? withoutSlash : folder, names.at(k));
        if (!finding.isEmpty())
            return finding;
    }
    return QString();
}

// ---- Configuration files -----------------------------------------------------------------------

// The configuration reader on any bytes: it returns a configuration or an error, and a
// configuration it accepts writes back to the same records.
inline QString fuzzConfiguration(const std::uint8_t* data, std::size_t size)
{
    static const QStringList names{QStringLiteral("Air"), QStringLiteral("Eau"),
                                   QStringLiteral("Verre Crown"), QStringLiteral("Verre Flint"),
                                   QStringLiteral("Autre")};
    const config::ReadResult read = config::parse(detail::bytesOf(data, size), names);
    if (read.configuration) {
        const std::optional<QByteArray> again = config::fileBytes(*read.configuration);
        if (!again)
            return QStringLiteral("an accepted configuration cannot be written");
        const config::ReadResult second = config::parse(*again, names);
        if (!second.configuration ||
            config::records(*second.configuration) != config::records(*read.configuration))
            return QStringLiteral("a written configuration reads back otherwise");
    }
    return QString();
}

// ---- RTF ---------------------------------------------------------------------------------------

// The RTF reader on any bytes (a QGuiApplication must exist): what the writer makes of a document
// it read is 7-bit and reads back as RTF with as many paragraphs.
inline QString fuzzRtf(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    if (rtf::read(detail::bytesOf(data, size), document) != rtf::ReadStatus::Read)
        return QString();
    const QByteArray written = rtf::write(document);
    for (char c : written)
        if (static_cast<unsigned char>(c) >= 0x80)
            return QStringLiteral("the writer wrote a byte over 127");
    QTextDocument again;
    if (rtf::read(written, again) != rtf::ReadStatus::Read)
        return QStringLiteral("written RTF does not read");
    if (again.blockCount() != document.blockCount())
        return QStringLiteral("paragraphs lost in a save");
    return QString();
}

} // namespace fuzzbodies
