// Support for tests that run the whole engine: a scratch folder for the
// project path and its result files, a recorder of the run's messages and
// small frames built from a few numbers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "frame_generator.h"
#include "solver/diagnostic.h"
#include "solver/frame_solver.h"

namespace orv::testing {

// A fresh, empty folder removed again at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path path(const std::string& name) const { return root_ / name; }

private:
    std::filesystem::path root_;
};

// Installs itself as the solver's message handler and keeps every message.
struct MessageLog {
    explicit MessageLog(内力_位移& solver);
    std::vector<Diagnostic> messages;
};

std::string readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::string& text);

// |actual - expected| within `tolerance` of |expected| (absolute below 1).
void expectRelativelyNear(double actual, double expected, double tolerance = 1e-9);

// Runs the solver in a scratch folder; the run must succeed without a message.
void solveQuietly(内力_位移& solver);

// Row r (1..6) of the result table for member i: its end forces.
inline double endForce(const 内力_位移& solver, int member, std::size_t row) {
    return solver.a(row, static_cast<std::size_t>(member));
}

// The diagnostic of a run-time error with the given description.
Diagnostic runTimeError(const std::string& description);

// The message of a singular system whose zero pivot was met at `node`, in
// the motion "沿 X 方向移动", "沿 Y 方向移动" or "转动".
Diagnostic zeroPivotMessage(int node, const std::string& motion);

inline constexpr Section kConcreteBeam{30000, 0.25f * 0.5f, 0.25f * 0.5f * 0.5f * 0.5f / 12};

// One horizontal member from (0, 0) to (length, 0), node 1 at the first end,
// with the given support codes at its two nodes and loads.
内力_位移 singleBeam(float length, std::int16_t leftSupport, std::int16_t rightSupport,
                     const std::vector<Load>& loads = {}, const Section& section = kConcreteBeam);

}  // namespace orv::testing
