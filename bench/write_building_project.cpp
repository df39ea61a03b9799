// Writes a building frame as a project file, for whole-process figures of
// the batch mode (`Orvandel --analyze FILE.tsd`) on frames of any size.
// Usage: write_building_project STOREYS BAYS FILE.tsd
#include <cstdlib>
#include <iostream>
#include <string>

#include "document/project_file.h"
#include "document_frames.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: write_building_project STOREYS BAYS FILE.tsd\n";
        return 1;
    }
    const Document document =
        orv::testing::buildingDocument(std::atoi(argv[1]), std::atoi(argv[2]));
    if (!WriteProjectFile(document, argv[3])) {
        std::cerr << "cannot write " << argv[3] << '\n';
        return 2;
    }
    std::cout << document.memberTotal << " members\n";
    return 0;
}
