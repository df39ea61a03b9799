// Files written whole or not at all: a project's pictures and tables are
// written to a temporary file beside the target and renamed over it only
// when every byte is down, so a full disk or a killed program never
// leaves half a file where the user's file was.
#pragma once

#include <QString>
#include <string>

// Writes `bytes` to `path` whole or not at all; false when it could not,
// with the system's reason in `why` when given.
bool writeWholeFile(const QString& path, const std::string& bytes, QString* why = nullptr);
