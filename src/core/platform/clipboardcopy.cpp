// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/clipboardcopy.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace clipboardcopy {

namespace {

// A picture that also answers for image/png, encoding it only when a program asks for it: the
// copy itself stays quick.
class ImageData : public QMimeData {
public:
    explicit ImageData(const QImage& image) { setImageData(image); }

    QStringList formats() const override
    {
        QStringList f = QMimeData::formats();
        if (!f.contains(Png))
            f.prepend(Png);
        return f;
    }
    bool hasFormat(const QString& type) const override
    {
        return type == Png || QMimeData::hasFormat(type);
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType meta) const override
    {
        if (type != Png)
            return QMimeData::retrieveData(type, meta);
        QByteArray png;
        QBuffer buffer(&png);
        const QImage image = qvariant_cast<QImage>(imageData());
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return {};
        return png;
    }

private:
    static inline const QString Png = QStringLiteral("image/png");
};

} // namespace

void putImage(const QImage& image)
{
    QGuiApplication::clipboard()->setMimeData(new ImageData(image));
}

void putText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace clipboardcopy
