#include "drawing.h"
#include "layout/overview_document.h"
#include "paper.h"

namespace ciferon {

bool printClassSet(QPagedPaintDevice& device, const ClassSet& set) {
    return drawLayout(device, classSetLayout(set));
}

bool printLists(QPagedPaintDevice& device, const QString& exercises, const QString& solutions) {
    return drawLayout(device, listsLayout(exercises.toStdString(), solutions.toStdString()));
}

bool printOverview(QPagedPaintDevice& device, const SetFile& set, const Overview& overview) {
    return drawLayout(device, overviewLayout(set, overview));
}

}  // namespace ciferon
