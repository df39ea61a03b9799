// A solver run in a scratch folder and read back as a solved frame, for the
// tests of the result computations.
#pragma once

#include <gtest/gtest.h>

#include "results/solved_frame.h"
#include "run_support.h"

namespace orv::testing {

inline SolvedFrame solve(内力_位移 solver) {
    const ScratchFolder folder;
    MessageLog log(solver);
    EXPECT_TRUE(solver.korvasta(folder.path("frame.tsd").string()));
    EXPECT_TRUE(log.messages.empty());
    return readSolvedFrame(solver).value();
}

}  // namespace orv::testing
