// Reading a file whole; see read_whole_file.h.
#include "document/read_whole_file.h"

#include <array>
#include <fstream>

std::optional<std::string> readWholeFile(const std::filesystem::path& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return std::nullopt;
    }
    try {
        std::ifstream file(fileName, std::ios::binary);
        if (!file.is_open()) {
            return std::nullopt;
        }
        // In blocks: the files of a large frame run to megabytes.
        std::string text;
        std::array<char, 1 << 16> block;
        while (file.read(block.data(), block.size()) || file.gcount() > 0) {
            text.append(block.data(), static_cast<std::size_t>(file.gcount()));
        }
        if (file.bad()) {
            return std::nullopt;
        }
        return text;
    } catch (const std::exception&) {  // the stream buffer may throw on read errors
        return std::nullopt;
    }
}
