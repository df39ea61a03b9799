// Support for tests that run the whole engine; see run_support.h.
#include "run_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

namespace orv::testing {

ScratchFolder::ScratchFolder() {
    std::random_device entropy;
    root_ = std::filesystem::temp_directory_path() /
            ("orvandel_test_" + std::to_string(entropy()) + std::to_string(entropy()));
    std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

MessageLog::MessageLog(内力_位移& solver) {
    solver.messageHandler = [this](const Diagnostic& message) { messages.push_back(message); };
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Diagnostic runTimeError(const std::string& description) {
    return {description, MessageIcon::Exclamation, "korvasta"};
}

Diagnostic zeroPivotMessage(int node, const std::string& motion) {
    return {"出现除零错误,请检查参数,数据\n节点 " + std::to_string(node) + " 可无阻力地" + motion +
                "(机构,或有杆件没有刚度)",
            MessageIcon::Critical, " "};
}

内力_位移 singleBeam(float length, std::int16_t leftSupport, std::int16_t rightSupport,
                     const std::vector<Load>& loads, const Section& section) {
    FrameBuilder frame({{0, 0}, {length, 0}});
    const int member = frame.addMember(1, 2, section);
    for (const Load& load : loads) {
        frame.addLoad(member, load);
    }
    frame.support(1, leftSupport);
    frame.support(2, rightSupport);
    return frame.build();
}

void expectRelativelyNear(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected)));
}

void solveQuietly(内力_位移& solver) {
    ScratchFolder folder;
    MessageLog log(solver);
    ASSERT_TRUE(solver.korvasta(folder.path("frame.tsd").string()));
    EXPECT_TRUE(log.messages.empty());
}

}  // namespace orv::testing
