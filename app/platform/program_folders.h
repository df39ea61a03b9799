// Where the program finds its data files (the help document and the
// sketch bitmaps) and where a project that was never saved under a name
// lives. The build tree runs the program from the build folder, which holds
// those files; an installed program finds them in share/orvandel beside its
// bin folder and must not write there.
#pragma once

#include <QString>

struct ProgramFolder {
    QString path;
    bool installed = false;  // path is the data folder of an installation
};

// The program folder of an executable in `executableFolder`: the installed
// data folder when it is there (it holds the help document), otherwise the
// executable's own folder.
ProgramFolder findProgramFolder(const QString& executableFolder);

// The folder of a new project ("noname.tsd", and so of the results of its
// analysis): the program folder when the program runs from a folder it may
// write, otherwise the user's documents folder, created if missing. An
// installed program's folder belongs to its package, so it is never used,
// even by a user who could write it.
QString newProjectFolder(const ProgramFolder& programFolder);
