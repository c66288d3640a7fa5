#include "paper.h"

#include "drawing.h"
#include "items.h"

namespace ciferon {

PaperSheet paperSheet(const Sheet& sheet) {
    return {sheetCode(sheet), 0, 0, sheetItems(sheet), SheetStyle::Regular};
}

std::vector<PaperSheet> paperSheets(const std::vector<Sheet>& sheets) {
    std::vector<PaperSheet> paper;
    paper.reserve(sheets.size());
    for (const Sheet& sheet : sheets) {
        paper.push_back(paperSheet(sheet));
        paper.back().number = static_cast<int>(paper.size());
        paper.back().total = static_cast<int>(sheets.size());
    }
    return paper;
}

bool printSheets(QPagedPaintDevice& device, const std::vector<PaperSheet>& sheets,
                 const PaperOptions& options) {
    return drawLayout(device,
                      sheetsLayout(sheets, {options.heading.toStdString(), options.duplex}));
}

bool printLists(QPagedPaintDevice& device, const QString& exercises, const QString& solutions) {
    return drawLayout(device, listsLayout(exercises.toStdString(), solutions.toStdString()));
}

}  // namespace ciferon
