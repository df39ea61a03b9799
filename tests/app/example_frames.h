// The example projects of examples/, described in code: the test suite
// checks that the files are exactly what the writer makes of these
// documents, and checks their analysis against hand calculations.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"

namespace orv::testing {

struct ExampleProject {
    std::string fileName;  // in examples/
    Document document;
};

std::vector<ExampleProject> exampleProjects();

// The example with that file name.
Document exampleProject(const std::string& fileName);

}  // namespace orv::testing
