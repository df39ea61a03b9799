// File names between the system and the program. The system stores a name
// as bytes in the encoding of the user's locale (GB18030 under
// zh_CN.GB18030, UTF-8 under most others), which is also how the command
// line arrives; the program keeps names as UTF-8 text (projectPath, messages,
// the window title). Every name read from the command line or handed to the
// system passes through here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A name from the system (or a command-line argument) as UTF-8 text. Bytes
// that are not text in the locale's encoding are kept as they are.
std::string fileNameToUtf8(std::string_view systemName);

// UTF-8 text as the bytes the system knows the file by. Text that the
// locale's encoding cannot hold is kept as it is.
std::string utf8ToFileName(std::string_view text);

// The path of the file that the UTF-8 text names.
std::filesystem::path filePath(std::string_view text);

// A file beside the project named after it (UTF-8): "/a/portal.tsd" with
// "_forces.csv" gives "/a/portal_forces.csv". The dialogs suggest such names.
std::string besideProject(std::string_view projectPath, std::string_view suffix);

// The folder that holds the project (UTF-8), where the file dialogs start.
std::string projectFolder(std::string_view projectPath);
