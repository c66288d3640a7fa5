#include "paper.h"

#include "codes/items.h"
#include "drawing.h"

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

std::vector<PaperSheet> paperSheets(const std::vector<ClassSetSheet>& sheets) {
    std::vector<Sheet> plain;
    plain.reserve(sheets.size());
    for (const ClassSetSheet& sheet : sheets) {
        plain.push_back(sheet.sheet);
    }
    std::vector<PaperSheet> paper = paperSheets(plain);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].adapted) {
            paper[i].style = SheetStyle::Adapted;
        }
    }
    return paper;
}

bool printSheets(QPagedPaintDevice& device, const std::vector<PaperSheet>& sheets,
                 const PaperOptions& options) {
    return drawLayout(device, sheetsLayout(sheets, {options.heading.toStdString(), options.duplex,
                                                    options.mistakes}));
}

bool printLists(QPagedPaintDevice& device, const QString& exercises, const QString& solutions) {
    return drawLayout(device, listsLayout(exercises.toStdString(), solutions.toStdString()));
}

}  // namespace ciferon
