// The program's command line: the options, the help text and the usage
// errors, and the batch run the options ask for (--analyze, --export,
// --csv). What needs no window is answered here, before any application
// object exists, so that it needs no display either.
#pragma once

#include <QStringList>
#include <optional>

#include "batch/batch_export.h"

struct CommandLine {
    // The command line is answered (help printed, a usage error said): the
    // program ends with this status.
    std::optional<int> answered;
    // --analyze FILE.tsd, and the pictures and tables to write after it.
    std::optional<QString> analyze;
    BatchExport exports;
    // The project to open in the window, if any.
    QStringList projects;
};

// Help goes to standard output, usage errors to standard error.
CommandLine readCommandLine(int argc, char* argv[]);

// --analyze and its exports: the project solved once, its member end forces
// printed, then its pictures and tables written. The exit status.
int runBatch(const QString& project, const BatchExport& exports);
