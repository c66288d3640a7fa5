// The class set open in the window ("sada"): the set, the file it is kept in and whether
// every change is written there. The results grid, the overview and the menu's commands
// share it. The file is written whole and renamed over the old one, so that a crash at any
// moment leaves either the old file or the new one.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "classset/set_file.h"

namespace ciferon {

// A set file read from disk, or the Czech sentence that refuses it: never part of a set.
struct SetOpening {
    std::optional<SetFile> set;
    QString refusal;
};
SetOpening openSetFile(const QString& path);

// Writes the set to `path`, its time of saving set to now: written whole into a file beside
// it, then renamed over it. Empty when done, else why not, in Czech.
QString saveSetFile(const QString& path, SetFile& set);

// What the suggested file name of a set is made of: its heading without the characters a
// file name cannot hold, "sada" for none, with the ending ".ciferon".
QString suggestedSetName(const SetFile& set);

class SetDocument final : public QObject {
    Q_OBJECT

  public:
    explicit SetDocument(QObject* parent = nullptr) : QObject(parent) {}

    [[nodiscard]] bool isOpen() const { return set_.has_value(); }
    [[nodiscard]] const SetFile& set() const { return *set_; }
    // The set to change; call changed() after.
    SetFile& edit() { return *set_; }
    [[nodiscard]] const QString& path() const { return path_; }
    // Whether the set has changes its file does not hold yet (or has no file).
    [[nodiscard]] bool unsaved() const { return unsaved_; }

    // A new set, not yet in a file.
    void adopt(SetFile set);
    // The set read from `path`; the refusal when it is not opened (the open set stays).
    QString open(const QString& path);
    // Writes the set to its file, or to `path` from then on: empty when done, else why not.
    QString save();
    QString saveAs(const QString& path);
    // After an edit: marks the set unsaved and tells the views.
    void changed();

  Q_SIGNALS:
    // Another set was adopted or opened.
    void replaced();
    // The open set's contents changed.
    void edited();

  private:
    std::optional<SetFile> set_;
    QString path_;
    bool unsaved_ = false;
};

}  // namespace ciferon
