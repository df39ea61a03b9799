// Batch analysis: a saved project analysed without a window, for scripts
// and machines without a display.
#pragma once

#include <iosfwd>
#include <string>

// Exit statuses of a batch run, distinct per failure so that scripts can
// tell them apart.
enum class BatchStatus : int {
    Solved = 0,
    UsageError = 1,
    UnreadableFile = 2,
    DrawingIncomplete = 3,
    Unsolvable = 4,
    ResultsUnreadable = 5,
    // 6 is the window's: no display.
    ExportFailed = 7,
};

// Reads the project at `path` (UTF-8 text, see file_names.h), copies it into
// a solver, checks it, runs the analysis (which writes the result files
// beside the project) and prints the member end-force file to `out`. Every
// message goes to `err`.
BatchStatus analyzeProject(const std::string& path, std::ostream& out, std::ostream& err);

// Prints the member end-force file of the project at `path` to `out`; when
// it cannot be read whole, says so on `err` and gives ResultsUnreadable.
BatchStatus printMemberForces(const std::string& path, std::ostream& out, std::ostream& err);
