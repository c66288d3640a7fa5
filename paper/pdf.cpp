#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include "page_type.h"
#include "paper.h"

namespace ciferon {

bool drawPdf(QIODevice& out, const QString& title,
             const std::function<bool(QPagedPaintDevice&)>& draw) {
    QPdfWriter writer(&out);
    writer.setPageLayout(a4Layout());
    writer.setCreator(QStringLiteral("Ciferon"));
    writer.setTitle(title);
    return draw(writer);
}

QString writeWhole(const QString& path, const QByteArray& bytes) {
    // A device, a pipe or a socket (/dev/stdout, /dev/null, a FIFO) is written to as it is:
    // a temporary file beside it would be renamed over it, and /dev/null made a plain file.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            return file.errorString();
        }
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

QString writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& draw) {
    // The PDF is drawn whole first, so that nothing is written when drawing fails.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!drawPdf(buffer, title, draw)) {
        return QStringLiteral("nelze kreslit do PDF");
    }
    return writeWhole(path, buffer.data());
}

}  // namespace ciferon
