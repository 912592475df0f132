// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of a rich text: each is an image character whose format keeps the picture's own bytes
// and kind, so that a save writes back what was read (a PNG its pixels, a JPEG or a metafile its
// bytes), whatever the text area could show of it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QTextCursor>
#include <QTextFormat>

namespace rtf {

// Properties of a picture's QTextImageFormat.
enum PictureProperty {
    PictureKind = QTextFormat::UserProperty + 0x2601, // "png", "jpeg" or the RTF word of the format
    PictureData,                                      // the picture's bytes
    PictureHeader, // for a format shown as a placeholder: its RTF words, written back as read
};

// The largest side a picture is shown with, in pixels; a larger one is shown scaled down.
constexpr int kPictureMaxSide = 2000;

struct Picture {
    QByteArray kind;   // "png", "jpeg", or the RTF word of another format ("wmetafile8")
    QByteArray header; // the RTF words of a format the program cannot show, in their order
    QByteArray data;
    QSize size; // shown size in pixels, at most kPictureMaxSide a side
};

// The pixel size of a PNG or JPEG read from its header, or an empty size when the bytes are not
// a whole picture of that kind (a truncated PNG, a JPEG without its end, an absurd size).
QSize pictureImageSize(const QByteArray& kind, const QByteArray& data);

// Inserts the picture at the cursor: a PNG or JPEG that holds together is shown (decoded when
// first drawn), anything else as a framed placeholder of its size.
void insertPicture(QTextCursor& cursor, const Picture& picture);

// Inserts an image (a pasted one) as a PNG picture at its own size, bounded as read ones are.
void insertImage(QTextCursor& cursor, const QImage& image);

// Forgets the pictures a cleared document held: they no longer count against its bounds.
void forgetPictures(QTextDocument& document);

} // namespace rtf
