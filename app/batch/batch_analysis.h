// Batch analysis: a saved project analysed without a window, for scripts
// and machines without a display.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "document/document.h"
#include "document/load_cases.h"
#include "solver/frame_solver.h"

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

// A project as read and solved: the model and the solver its analysis ran
// on, from which every picture and table of the batch is made.
struct SolvedProject {
    Document document;
    std::unique_ptr<内力_位移> solver;
};

// Which results a batch gives (--case N, --combo N, --envelope): the
// result files, the printed end forces and the pictures show this set;
// case 1 unless asked.
struct ResultRequest {
    ResultChoice choice;
    bool envelope = false;  // the envelope's table printed, its M, Q, N pictures
};

// Reads the project at `path` (UTF-8 text, see file_names.h), copies it into
// a solver, checks it and runs the analysis (which writes the result files
// beside the project). Solved and the project in `solved`, or the
// failure's status; every message goes to `err`. A request for a case or
// combination the project lacks is a usage error, found before anything is
// analysed.
BatchStatus solveProject(const std::string& path, std::ostream& err, SolvedProject& solved,
                         const ResultRequest& request = {});

// The solved project as the requested set sees it (see result_sets.h); the
// project itself for case 1 and the envelope.
SolvedProject projectOfSet(const SolvedProject& project, const ResultRequest& request);
// Whether that is the project itself: a copy of a large frame's model and
// solver is not made for nothing.
bool isCaseOne(const ResultRequest& request);

// Rewrites the result files beside the project with the requested set's
// results (case 1's, which the analysis wrote, stay); false, said on
// `err`, when they cannot be written.
bool writeResultFilesOfSet(const SolvedProject& set, const ResultRequest& request,
                           std::ostream& err);

// What the batch prints on `out`: the requested set's member end-force
// file, or the envelope's table.
BatchStatus printRequestedResults(const SolvedProject& project, const ResultRequest& request,
                                  std::ostream& out, std::ostream& err);

// The project solved as above, then the member end-force file printed to
// `out`.
BatchStatus analyzeProject(const std::string& path, std::ostream& out, std::ostream& err);

// Prints the member end-force file of the project at `path` to `out`; when
// it cannot be read whole, says so on `err` and gives ResultsUnreadable.
BatchStatus printMemberForces(const std::string& path, std::ostream& out, std::ostream& err);
