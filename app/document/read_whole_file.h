// Reading a file whole: the project file, and the result file the batch
// mode prints.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The bytes of a regular file, or nothing when it cannot be read whole.
std::optional<std::string> readWholeFile(const std::filesystem::path& fileName);
