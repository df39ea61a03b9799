// Pictures and tables of a batch analysis: after --analyze, the drawing
// the window would show for a command (弯矩图, 支座反力, ...) written to SVG,
// PDF or PNG files, and the results window's tables written as CSV. Made
// from the solved project with the results' figures and tables and the
// canvas's export, on a GUI application without any window.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <iosfwd>
#include <optional>
#include <vector>

#include "batch/batch_analysis.h"
#include "canvas/drawing_export.h"

// One picture: what it shows (frame, loads, M, Q, N, deflection,
// reactions) and the file it goes to (its extension names the format).
struct PictureRequest {
    QString what;
    QString path;
};

struct BatchExport {
    std::vector<PictureRequest> pictures;
    QString csvFolder;      // empty: no tables (else those of every set)
    ResultRequest results;  // the set the pictures show
    DrawingSize size;       // SVG and PNG pixels, the PDF paper
    bool empty() const { return pictures.empty() && csvFolder.isEmpty(); }
};

// The "--export WHAT OUT" arguments, taken out of `arguments` (a command
// line parser knows options of one value only); a usage error names what
// is wrong.
std::vector<PictureRequest> takePictureRequests(QStringList& arguments, QString& usageError);
// "WIDTHxHEIGHT", each side 1..8192; nothing for another text.
std::optional<QSize> parsePictureSize(const QString& text);

// Writes every picture of `request` for its set of the solved project and
// the tables of every set,
// naming each file written on `out` and every failure on `err`: Solved, or
// ExportFailed when any file could not be written.
BatchStatus exportResults(const SolvedProject& project, const BatchExport& request,
                          std::ostream& out, std::ostream& err);
// The same for the project at `path`, read and solved first.
BatchStatus exportResults(const QString& path, const BatchExport& request, std::ostream& out,
                          std::ostream& err);
