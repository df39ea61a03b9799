// Program folder and new-project folder; see program_folders.h.
#include "platform/program_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// ORVANDEL_DATA_FROM_BIN: the installed data folder relative to the
// installed bin folder ("../share/orvandel"), given by the build.

ProgramFolder findProgramFolder(const QString& executableFolder) {
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/" ORVANDEL_DATA_FROM_BIN));
    if (QFileInfo::exists(installed + QStringLiteral("/help.html"))) {
        return {installed, true};
    }
    return {executableFolder, false};
}

QString newProjectFolder(const ProgramFolder& programFolder) {
    if (!programFolder.installed && QFileInfo(programFolder.path).isWritable()) {
        return programFolder.path;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return documents;
}
