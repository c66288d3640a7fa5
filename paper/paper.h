// Paper: pupils' worksheets, their key and the two lists as the fields hold them, on any
// paged paint device, so that printing, the print preview and PDF files share one path. The
// core lays every page out (layout.h); this composes its pieces from sheets and draws them
// (drawing.h) in the geometry and type of page_type.h. Qt GUI only: the window's menu and the
// command line both use it.
#pragma once

#include <QIODevice>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "classset/classset.h"
#include "classset/set_file.h"
#include "marking/overview.h"
#include "page_type.h"

namespace ciferon {

// A class set (or a sheet alone) with its key, as the core lays it out (classSetLayout):
// every pupil's sheet from a new page (heading, a line for name and date, its number and
// code, its exercises numbered in columns, no solutions), then from a new page the key:
// "Výsledky", every sheet's number and code with its numbered results side by side, and
// below them "Řešení", every sheet's numbered worked solutions. Two-sided, every sheet and
// the key begin on the front of a new sheet of paper. False when the device could not start
// or end the job.
bool printClassSet(QPagedPaintDevice& device, const ClassSet& set);

// The two fields as they stand, edits included: the exercises in as many columns as fit,
// the solutions from a new page. False as printSheets is.
bool printLists(QPagedPaintDevice& device, const QString& exercises, const QString& solutions);

// The class's overview ("Přehled třídy") as the core lays it out (overviewLayout): the
// pupils with their marks, the kinds as bars, the mistakes and the exercises most often not
// right. False as printClassSet is.
bool printOverview(QPagedPaintDevice& device, const SetFile& set, const Overview& overview);

// Draws a PDF through `draw` into `out`, which is open for writing, such as a buffer that
// goes to standard output only once complete. False when nothing could be painted.
bool drawPdf(QIODevice& out, const QString& title,
             const std::function<bool(QPagedPaintDevice&)>& draw);

// Writes a PDF file through `draw`, first to a temporary file beside `path`, which takes the
// place of `path` only once complete. Returns the reason when it fails, else an empty text;
// then `path` is left as it was. A device or a pipe at `path` is written to directly, once
// the PDF is complete.
QString writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPagedPaintDevice&)>& draw);

// Writes `bytes` as writePdf writes a PDF: to a temporary file beside `path`, which takes its
// place only once complete, or straight to a device or a pipe. The reason when it fails, else
// an empty text; then `path` is left as it was.
QString writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace ciferon
