// Feeds arbitrary bytes to the project file reader. A file the reader
// accepts must write back to a text that reads to the same document; a
// refused file must leave the document untouched.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Document document;
    const std::string before = projectFileText(document);
    if (readProjectText(bytes, document)) {
        if (projectFileText(document) != before) {
            std::abort();  // a refused file changed the document
        }
        return 0;
    }
    const std::string written = projectFileText(document);
    Document again;
    if (readProjectText(written, again) || projectFileText(again) != written) {
        std::abort();  // what the writer wrote does not read back the same
    }
    return 0;
}
