// SPDX-License-Identifier: GPL-3.0-or-later
// PDF files read back with poppler's tools, as another program reads them: the page count, the
// text of a page, the words with their boxes, a page rendered to an image.
#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace poppler {

inline bool available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

inline QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

// The page count, or -1 when the file is not a PDF poppler reads.
inline int pages(const QString& path)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {path}));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page (1 for the first), or of every page (0), in reading order.
inline QString text(const QString& path, int page = 0)
{
    QStringList arguments;
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << QStringLiteral("-layout") << path << QStringLiteral("-");
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), arguments));
}

// A word on a page with its box, in points from the page's top-left corner.
struct Word {
    int page = 0;
    QString text;
    QRectF box;
};

inline QList<Word> words(const QString& path)
{
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    QList<Word> out;
    int page = 0;
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        QString t = m.captured(5);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        out << Word{page, t,
                    QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return out;
}

// One page rendered at the resolution given (dots per inch).
inline QImage render(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"),
         QStringLiteral("-png"), path, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// The smallest rectangle holding every pixel darker than mid-grey.
inline QRect darkBox(const QImage& image)
{
    QRect box;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qGray(line[x]) < 128)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

} // namespace poppler
