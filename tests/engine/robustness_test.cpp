// Whatever arrays a caller assigns, a run never crashes or reads outside
// them: input it cannot use is reported as a run-time error, and a run that
// fails leaves no result files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <random>

#include "model/supports.h"
#include "run_support.h"

namespace orv::testing {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// One way of spoiling a sound frame; `mustFail` when the spoiled frame can
// never give results.
struct Spoiler {
    const char* name;
    bool mustFail;
    void (*apply)(内力_位移&, std::mt19937&);
};

std::size_t anyMember(const 内力_位移& s, std::mt19937& random) {
    return 1 + random() % static_cast<std::size_t>(s.杆件总数);
}

// Writes one element when it exists: earlier spoilers may have shortened
// the array.
template <typename T, typename V>
void poke(std::vector<T>& array, std::size_t index, V value) {
    if (index < array.size()) {
        array[index] = static_cast<T>(value);
    }
}

template <typename T, typename V>
void poke(Table2D<T>& table, std::size_t row, std::size_t col, V value) {
    if (table.contains(static_cast<long>(row), static_cast<long>(col))) {
        table(row, col) = static_cast<T>(value);
    }
}

template <typename T>
void shorten(std::vector<T>& array, std::mt19937& random) {
    array.resize(array.empty() ? 0 : random() % array.size());
}

const Spoiler kSpoilers[] = {
    {"node number 0", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.左节点号, anyMember(s, r), 0); }},
    {"node number beyond N", true,
     [](内力_位移& s, std::mt19937& r) {
         poke(s.右节点号, anyMember(s, r), static_cast<std::int16_t>(s.节点总数 + 1 + r() % 100));
     }},
    {"negative node number", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.左节点号, anyMember(s, r), -3); }},
    {"short first-node array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.左节点号, r); }},
    {"short modulus array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.弹性模量, r); }},
    {"short inertia array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.惯性矩, r); }},
    {"short area array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.截面积, r); }},
    {"short coordinate array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.右端坐标, r); }},
    {"short load count array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.荷载数, r); }},
    {"short support array", true, [](内力_位移& s, std::mt19937& r) { shorten(s.零位移, r); }},
    {"no load tables", true,
     [](内力_位移& s, std::mt19937& r) {
         poke(s.荷载数, anyMember(s, r), 1);
         s.xq = Table2D<float>();
     }},
    {"more than 55 loads", true,
     [](内力_位移& s, std::mt19937& r) {
         poke(s.荷载数, anyMember(s, r), static_cast<std::int16_t>(56 + r() % 30000));
     }},
    {"NaN modulus", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.弹性模量, anyMember(s, r), kNaN); }},
    {"infinite area", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.截面积, anyMember(s, r), kInfinity); }},
    {"NaN load", true,
     [](内力_位移& s, std::mt19937& r) {
         const std::size_t i = anyMember(s, r);
         poke(s.荷载数, i, 1);
         poke(s.q, 1, i, kNaN);
     }},
    {"coordinate text without comma", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.左端坐标, anyMember(s, r), "3"); }},
    {"coordinate text not a number", true,
     [](内力_位移& s, std::mt19937& r) {
         poke(s.右端坐标, anyMember(s, r), r() % 2 ? "a,b" : "1,2,3");
     }},
    {"coordinate beyond single precision", true,
     [](内力_位移& s, std::mt19937& r) { poke(s.右端坐标, anyMember(s, r), "1e39,0"); }},
    {"3N beyond 16 bits", true, [](内力_位移& s, std::mt19937&) { s.节点总数 = 11000; }},
    {"member count beyond the arrays", true,
     [](内力_位移& s, std::mt19937& r) {
         s.杆件总数 = static_cast<std::int16_t>(s.杆件总数 + 1 + r() % 1000);
     }},
    // These may or may not leave a solvable frame; they must not crash.
    {"huge modulus", false,
     [](内力_位移& s, std::mt19937& r) { poke(s.弹性模量, anyMember(s, r), 3e38f); }},
    {"tiny member", false,
     [](内力_位移& s, std::mt19937& r) { poke(s.右端坐标, anyMember(s, r), "1e-30,1e-30"); }},
    {"huge load", false,
     [](内力_位移& s, std::mt19937& r) {
         const std::size_t i = anyMember(s, r);
         poke(s.荷载数, i, 1);
         poke(s.荷载种类, 1, i, static_cast<std::int16_t>(r() % 8));
         poke(s.xq, 1, i, -1e30f);
         poke(s.q, 1, i, 3e38f);
     }},
    {"random support codes", false,
     [](内力_位移& s, std::mt19937& r) {
         for (std::int16_t& code : s.零位移) {
             code = static_cast<std::int16_t>(r() % 9) - 1;
         }
     }},
    {"negative counts", false,
     [](内力_位移& s, std::mt19937& r) {
         s.杆件总数 = static_cast<std::int16_t>(-1 - static_cast<int>(r() % 100));
     }},
};

TEST(Robustness, SpoiledInputIsReportedAndWritesNothing) {
    ScratchFolder folder;
    const std::string project = folder.path("frame.tsd").string();
    std::mt19937 random(2024);
    for (int round = 0; round < 2000; ++round) {
        内力_位移 solver = randomFrame(5 + static_cast<int>(random() % 40), random());
        // Spoilers that may leave a sound frame go first, so that none of
        // them can undo one that must make the run fail.
        std::vector<const Spoiler*> chosen;
        for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k) {
            chosen.push_back(&kSpoilers[random() % std::size(kSpoilers)]);
        }
        std::stable_partition(chosen.begin(), chosen.end(),
                              [](const Spoiler* spoiler) { return !spoiler->mustFail; });
        bool mustFail = false;
        std::string names;
        for (const Spoiler* spoiler : chosen) {
            if (solver.杆件总数 > 0) {
                spoiler->apply(solver, random);
                mustFail = mustFail || spoiler->mustFail;
                names += std::string(spoiler->name) + "; ";
            }
        }
        SCOPED_TRACE(names);
        MessageLog log(solver);
        const bool feasible = solver.能否计算();
        const bool solved = solver.korvasta(project);
        const bool written = std::filesystem::exists(folder.path("frame.mqn"));
        EXPECT_EQ(written, std::filesystem::exists(folder.path("frame.uva")));
        EXPECT_EQ(solved, written);
        if (mustFail) {
            // A model the feasibility check refuses is refused silently.
            EXPECT_FALSE(solved);
            EXPECT_TRUE(!log.messages.empty() || !feasible);
        }
        for (const Diagnostic& message : log.messages) {
            EXPECT_FALSE(message.text.empty());
        }
        std::filesystem::remove(folder.path("frame.mqn"));
        std::filesystem::remove(folder.path("frame.uva"));
    }
}

TEST(Robustness, EachRunTimeErrorHasItsOwnDescription) {
    ScratchFolder folder;
    const std::string project = folder.path("frame.tsd").string();
    struct Case {
        const char* description;
        void (*spoil)(内力_位移&);
    };
    const Case cases[] = {
        {"下标越界", [](内力_位移& s) { s.左节点号[1] = 9; }},
        {"类型不匹配", [](内力_位移& s) { s.左端坐标[1] = "0;0"; }},
        {"溢出", [](内力_位移& s) { s.弹性模量[1] = kInfinity; }},
        {"溢出",
         [](内力_位移& s) {
             s.节点总数 = 10923;
             s.零位移.resize(10924, kNoSupport);
             for (auto* perNode : {&s.x向弹簧刚度, &s.y向弹簧刚度, &s.转动弹簧刚度, &s.支座倾角,
                                   &s.支座位移x, &s.支座位移y, &s.支座转角}) {
                 perNode->resize(10924, 0);
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        内力_位移 solver = singleBeam(4, kFixedEnd, kNoSupport, {{1, 4, 10}});
        c.spoil(solver);
        MessageLog log(solver);
        EXPECT_FALSE(solver.korvasta(project));
        ASSERT_FALSE(log.messages.empty());
        EXPECT_EQ(log.messages.front(), runTimeError(c.description));
    }
}

}  // namespace
}  // namespace orv::testing
