// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/exercises/statementedit.h"

#include "core/exercises/rtfpicture.h"

#include <QImage>
#include <QMimeData>

StatementEdit::StatementEdit(QWidget* parent) : QTextEdit(parent) {}

bool StatementEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void StatementEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull()) {
            QTextCursor cursor = textCursor();
            cursor.beginEditBlock();
            rtf::insertImage(cursor, image);
            cursor.endEditBlock();
            setTextCursor(cursor);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}
