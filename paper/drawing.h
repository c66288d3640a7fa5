// Drawing a laid-out printout on a paged paint device: the core's layout decides every
// break and position; this only draws its texts and rules, page by page.
#pragma once

#include <QPagedPaintDevice>

#include "layout/layout.h"

namespace ciferon {

// Draws every page of `layout` on `device`, which must not be painted on yet. False when the
// device could not start or end the job.
bool drawLayout(QPagedPaintDevice& device, const Layout& layout);

}  // namespace ciferon
