// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercises/rtfpicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QVariant>

#include <algorithm>

namespace rtf {

namespace {

// Pictures beyond this many pixels are not decoded (a 16 000 × 16 000 picture is a gigabyte), nor
// those past the document's own bound: a text shows at most this many pixels of its pictures.
constexpr qint64 kPictureMaxPixels = qint64(25) * 1000 * 1000;
constexpr qint64 kDocumentMaxPixels = qint64(100) * 1000 * 1000;
// Placeholders are drawn at their size for this many sizes in a document; past that, one shared
// frame is stretched to each size.
constexpr int kPlaceholderSizes = 64;

quint32 bigEndian32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return (quint32(u[0]) << 24) | (quint32(u[1]) << 16) | (quint32(u[2]) << 8) | quint32(u[3]);
}

// Whether the PNG's chunks follow one another up to IEND inside the bytes.
bool pngIsWhole(const QByteArray& data)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (data.size() < 8 || !data.startsWith(QByteArray::fromRawData(signature, 8)))
        return false;
    qsizetype at = 8;
    while (data.size() - at >= 12) {
        const quint32 length = bigEndian32(data.constData() + at);
        if (length > quint32(data.size() - at - 12))
            return false;
        if (std::string_view(data.constData() + at + 4, 4) == "IEND")
            return true;
        at += 12 + qsizetype(length);
    }
    return false;
}

// Whether the JPEG begins with its start mark and ends with its end mark (padding allowed).
bool jpegIsWhole(const QByteArray& data)
{
    if (data.size() < 4 || static_cast<unsigned char>(data[0]) != 0xFF ||
        static_cast<unsigned char>(data[1]) != 0xD8)
        return false;
    const qsizetype end = data.lastIndexOf("\xFF\xD9");
    return end >= 2 && data.size() - end <= 64;
}

QString nextPictureName(QTextDocument& document)
{
    int n = document.property("optiphanePictures").toInt();
    QString name;
    do
        name = QStringLiteral("rtfpict:%1").arg(++n);
    while (!document.resource(QTextDocument::ImageResource, QUrl(name)).isNull());
    document.setProperty("optiphanePictures", n);
    return name;
}

// A frame with its diagonals, shared by every placeholder of one size.
QString placeholderName(QTextDocument& document, QSize size)
{
    QString name = QStringLiteral("rtfpict:cadre/%1x%2").arg(size.width()).arg(size.height());
    if (document.resource(QTextDocument::ImageResource, QUrl(name)).isNull()) {
        const int made = document.property("optiphanePlaceholders").toInt();
        if (made >= kPlaceholderSizes) {
            size = QSize(100, 100);
            name = QStringLiteral("rtfpict:cadre");
        } else {
            document.setProperty("optiphanePlaceholders", made + 1);
        }
    }
    const QUrl url(name);
    if (document.resource(QTextDocument::ImageResource, url).isNull()) {
        QImage image(size, QImage::Format_Mono);
        image.setColorTable({qRgb(255, 255, 255), qRgb(128, 128, 128)});
        image.fill(0);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::color1, 1));
        painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
        painter.drawLine(0, 0, size.width() - 1, size.height() - 1);
        painter.drawLine(0, size.height() - 1, size.width() - 1, 0);
        painter.end();
        document.addResource(QTextDocument::ImageResource, url, image);
    }
    return name;
}

} // namespace

QSize pictureImageSize(const QByteArray& kind, const QByteArray& data)
{
    const bool whole = kind == "png"    ? pngIsWhole(data)
                       : kind == "jpeg" ? jpegIsWhole(data)
                                        : false;
    if (!whole)
        return {};
    QByteArray copy = data; // shared, never copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, kind);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() ||
        qint64(size.width()) * size.height() > kPictureMaxPixels)
        return {};
    return size;
}

void insertPicture(QTextCursor& cursor, const Picture& picture)
{
    QTextDocument& document = *cursor.document();
    const QSize size =
        picture.size.boundedTo(QSize(kPictureMaxSide, kPictureMaxSide)).expandedTo(QSize(1, 1));
    QTextImageFormat format;
    const QSize pixels = pictureImageSize(picture.kind, picture.data);
    const qint64 total = document.property("optiphanePixels").toLongLong() +
                         qint64(pixels.width()) * pixels.height();
    if (!pixels.isEmpty() && total <= kDocumentMaxPixels) {
        document.setProperty("optiphanePixels", total);
        const QString name = nextPictureName(document);
        // Decoded by the text's layout when first drawn: reading a statement stays quick.
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture.data);
        format.setName(name);
    } else {
        format.setName(placeholderName(document, size));
    }
    format.setWidth(size.width());
    format.setHeight(size.height());
    format.setProperty(PictureKind, picture.kind);
    format.setProperty(PictureData, picture.data);
    if (!picture.header.isEmpty())
        format.setProperty(PictureHeader, picture.header);
    cursor.insertImage(format);
}

void forgetPictures(QTextDocument& document)
{
    document.setProperty("optiphanePixels", QVariant());
    document.setProperty("optiphanePlaceholders", QVariant());
}

void insertImage(QTextCursor& cursor, const QImage& image)
{
    if (image.isNull())
        return;
    Picture picture;
    picture.kind = "png";
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    picture.size = image.size();
    if (picture.size.width() > kPictureMaxSide || picture.size.height() > kPictureMaxSide)
        picture.size.scale(kPictureMaxSide, kPictureMaxSide, Qt::KeepAspectRatio);
    insertPicture(cursor, picture);
}

} // namespace rtf
