#include "set_document.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ciferon {

SetOpening openSetFile(const QString& path) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        return {std::nullopt,
                QStringLiteral("Soubor „%1“ nelze otevřít: %2.")
                    .arg(name, QFileInfo(path).isDir() ? QStringLiteral("je to složka")
                                                       : file.errorString())};
    }
    // One byte past the longest set file tells the reader that the file is not one.
    const QByteArray bytes = file.read(static_cast<qint64>(setFileMax) + 1);
    const SetFileReading reading =
        readSetFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    name.toStdString());
    if (!reading.set) {
        return {std::nullopt, QString::fromStdString(reading.refusal)};
    }
    return {reading.set, {}};
}

QString saveSetFile(const QString& path, SetFile& set) {
    const SetFile before = set;
    set.saved = savedText(QDateTime::currentSecsSinceEpoch());
    const std::string text = writeSetFile(set);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        set = before;
        return file.errorString();
    }
    return {};
}

QString suggestedSetName(const SetFile& set) {
    QString name;
    for (const QChar c : QString::fromStdString(set.heading)) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) {
            name += c;
        }
    }
    return (name.isEmpty() ? QStringLiteral("sada") : name) + QStringLiteral(".ciferon");
}

void SetDocument::adopt(SetFile set) {
    set_ = std::move(set);
    path_.clear();
    unsaved_ = true;
    Q_EMIT replaced();
}

QString SetDocument::open(const QString& path) {
    SetOpening opening = openSetFile(path);
    if (!opening.set) {
        return opening.refusal;
    }
    set_ = std::move(opening.set);
    path_ = path;
    unsaved_ = false;
    Q_EMIT replaced();
    return {};
}

QString SetDocument::save() {
    if (!set_ || path_.isEmpty()) {
        return QStringLiteral("sada nemá soubor");
    }
    QString fault = saveSetFile(path_, *set_);
    if (fault.isEmpty()) {
        unsaved_ = false;
    }
    return fault;
}

QString SetDocument::saveAs(const QString& path) {
    const QString before = path_;
    path_ = path;
    QString fault = save();
    if (!fault.isEmpty()) {
        path_ = before;
    }
    return fault;
}

void SetDocument::changed() {
    unsaved_ = true;
    Q_EMIT edited();
}

}  // namespace ciferon
