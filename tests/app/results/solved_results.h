// Frames solved for the result computations: a solver run in a scratch
// folder, and the solver of an example project read from its file, as
// batch mode reads it, so that its results are those of examples/.
#pragma once

#include <gtest/gtest.h>

#include "document/project_file.h"
#include "results/solved_frame.h"
#include "results/solver_copy.h"
#include "run_support.h"

namespace orv::testing {

inline SolvedFrame solve(内力_位移& solver, const ScratchFolder& folder = ScratchFolder()) {
    MessageLog log(solver);
    EXPECT_TRUE(solver.korvasta(folder.path("frame.tsd").string()));
    EXPECT_TRUE(log.messages.empty());
    return readSolvedFrame(solver).value();
}

inline 内力_位移 exampleSolver(const std::string& fileName) {
    Document document;
    EXPECT_FALSE(readProjectFile(std::string(ORVANDEL_EXAMPLES) + "/" + fileName, document));
    内力_位移 solver;
    EXPECT_TRUE(gj2计算gj(document, solver, [](const Diagnostic&) {}));
    return solver;
}

}  // namespace orv::testing
