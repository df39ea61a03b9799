// The example projects; see example_frames.h. Members are drawn as the
// editor stores them: horizontal members from left to right, columns from
// their lower end up (y grows downward on the drawing).
#include "example_frames.h"

#include <stdexcept>

#include "document/load_cases.h"
#include "document/node_numbering.h"
#include "document_frames.h"

namespace orv::testing {

namespace {

struct Point {
    float x;
    float y;
};

// A document being drawn: members first, then node numbers, then supports.
class ExampleBuilder {
public:
    explicit ExampleBuilder(const std::string& fileName) {
        resetDocument(document_, ".");
        document_.projectPath = fileName;
        document_.world = {-2, -9, 16, 11};
    }

    // A C30 rectangular member b x h; returns its number.
    int member(Point first, Point second, float b = 0.3f, float h = 0.5f) {
        document_.members.push_back(concreteMember(first.x, first.y, second.x, second.y, b, h));
        return static_cast<int>(document_.members.size()) - 1;
    }

    void load(int member, const char* kind, float xq, float q) {
        addLoad(document_.members.at(static_cast<std::size_t>(member)), kind, xq, q);
    }

    // Numbers the nodes once every member is drawn.
    void finishDrawing() {
        document_.memberTotal = static_cast<std::int16_t>(document_.members.size() - 1);
        document_.membersEntered = document_.memberTotal;
        节点自动编号(document_);
    }

    // A support at the member end at `at`, as placing it with the mouse does.
    void support(Point at, SupportKind kind, bool direction = false) {
        const int node = nodeAt(at);
        placeSupport(document_, static_cast<std::size_t>(node), kind,
                     {direction, at.x, at.y, static_cast<std::int16_t>(node)});
    }

    // A hinge at end 0 (first) or 1 (second) of the member.
    void hinge(int member, int end) {
        gj& m = document_.members.at(static_cast<std::size_t>(member));
        (end == 0 ? m.左端转动刚度 : m.右端转动刚度) = 0.0f;
    }

    // The support at `at` settles by dx, dy (m) and turns by dr (rad).
    void settle(Point at, float dx, float dy, float dr) {
        document_.supportExtras.at(static_cast<std::size_t>(nodeAt(at))).settlement = {dx, dy, dr};
    }

    // The member warms by t1 at its local -y face and t2 at its +y face.
    void warm(int member, float t1, float t2) {
        gj& m = document_.members.at(static_cast<std::size_t>(member));
        m.温度改变1 = t1;
        m.温度改变2 = t2;
    }

    Document take() { return std::move(document_); }

private:
    int nodeAt(Point at) const {
        for (std::size_t i = 1; i < document_.members.size(); ++i) {
            const gj& m = document_.members[i];
            if (m.x1 == at.x && m.y1 == at.y) {
                return m.左号;
            }
            if (m.x2 == at.x && m.y2 == at.y) {
                return m.右号;
            }
        }
        throw std::invalid_argument("no member end there");
    }

    Document document_;
};

// Portal frame: columns 4 m, beam 6 m, fixed bases; 20 kN/m on the beam
// and 10 kN of wind at the top of the left column.
Document portalFrame() {
    ExampleBuilder frame("portal.tsd");
    const int left = frame.member({0, 0}, {0, -4});
    const int beam = frame.member({0, -4}, {6, -4}, 0.25f, 0.6f);
    frame.member({6, 0}, {6, -4});
    frame.load(left, "集中", 4, 10);
    frame.load(beam, "均布", 6, 20);
    frame.finishDrawing();
    frame.support({0, 0}, SupportFixed);
    frame.support({6, 0}, SupportFixed);
    return frame.take();
}

// Two storeys of 3.6 m and two bays of 6 m, fixed bases; 25 kN/m on the
// first-floor beams, 18 kN/m on the roof beams, wind as 3 kN/m on the left
// columns and point loads at the floor levels.
Document twoStoreyFrame() {
    ExampleBuilder frame("two_storey.tsd");
    for (int storey = 0; storey < 2; ++storey) {
        const float bottom = -3.6f * static_cast<float>(storey);
        const float top = -3.6f * static_cast<float>(storey + 1);
        for (int line = 0; line <= 2; ++line) {
            const float x = 6.0f * static_cast<float>(line);
            const int column = frame.member({x, bottom}, {x, top}, 0.4f, 0.4f);
            if (line == 0) {
                frame.load(column, "均布", 3.6f, 3);
                frame.load(column, "集中", 3.6f, 12);
            }
        }
        for (int bay = 0; bay < 2; ++bay) {
            const float x = 6.0f * static_cast<float>(bay);
            const int beam = frame.member({x, top}, {x + 6, top}, 0.25f, 0.6f);
            frame.load(beam, "均布", 6, storey == 0 ? 25.0f : 18.0f);
        }
    }
    frame.finishDrawing();
    for (const float x : {0.0f, 6.0f, 12.0f}) {
        frame.support({x, 0}, SupportFixed);
    }
    return frame.take();
}

// Propped cantilever: 6 m, fixed at the left, on a roller at the right,
// 10 kN/m over the span.
Document proppedCantilever() {
    ExampleBuilder frame("propped_cantilever.tsd");
    const int beam = frame.member({0, 0}, {6, 0});
    frame.load(beam, "均布", 6, 10);
    frame.finishDrawing();
    frame.support({0, 0}, SupportFixed);
    frame.support({6, 0}, SupportVerticalLink);
    return frame.take();
}

// Continuous beam of two 5 m spans on a pin and two rollers, 12 kN/m.
Document continuousBeam() {
    ExampleBuilder frame("continuous_beam.tsd");
    const int first = frame.member({0, 0}, {5, 0});
    const int second = frame.member({5, 0}, {10, 0});
    frame.load(first, "均布", 5, 12);
    frame.load(second, "均布", 5, 12);
    frame.finishDrawing();
    frame.support({0, 0}, SupportPinned);
    frame.support({5, 0}, SupportVerticalLink);
    frame.support({10, 0}, SupportVerticalLink, true);
    return frame.take();
}

// Rigid triangle on a pin and a roller, 10 kN/m on its 4 m bottom chord and
// a 6 kN point load across the left rafter.
Document triangle() {
    ExampleBuilder frame("triangle.tsd");
    const int chord = frame.member({0, 0}, {4, 0}, 0.2f, 0.3f);
    const int rafter = frame.member({0, 0}, {2, -3}, 0.2f, 0.3f);
    frame.member({2, -3}, {4, 0}, 0.2f, 0.3f);
    frame.load(chord, "均布", 4, 10);
    frame.load(rafter, "集中", 1.8027756f, 6);
    frame.finishDrawing();
    frame.support({0, 0}, SupportPinned);
    frame.support({4, 0}, SupportVerticalLink);
    return frame.take();
}

// Three-hinged frame: columns 6 m on pins, a 12 m beam hinged at its
// middle, 20 kN/m over the beam: a thrust of qL^2/(8h) = 60 kN.
Document threeHingedFrame() {
    ExampleBuilder frame("three_hinged_frame.tsd");
    frame.member({0, 0}, {0, -6}, 0.4f, 0.6f);
    const int left = frame.member({0, -6}, {6, -6}, 0.3f, 0.6f);
    const int right = frame.member({6, -6}, {12, -6}, 0.3f, 0.6f);
    frame.member({12, 0}, {12, -6}, 0.4f, 0.6f);
    frame.load(left, "均布", 6, 20);
    frame.load(right, "均布", 6, 20);
    frame.hinge(left, 1);
    frame.finishDrawing();
    frame.support({0, 0}, SupportPinned);
    frame.support({12, 0}, SupportPinned);
    return frame.take();
}

// Two spans of 6 m on a pin and two rollers, 10 kN/m; the middle support
// settles by 10 mm, which takes 3EI delta/L^2 off the moment there.
Document settlement() {
    ExampleBuilder frame("settlement.tsd");
    const int first = frame.member({0, 0}, {6, 0}, 0.3f, 0.6f);
    const int second = frame.member({6, 0}, {12, 0}, 0.3f, 0.6f);
    frame.load(first, "均布", 6, 10);
    frame.load(second, "均布", 6, 10);
    frame.finishDrawing();
    frame.support({0, 0}, SupportPinned);
    frame.support({6, 0}, SupportVerticalLink);
    frame.support({12, 0}, SupportVerticalLink);
    frame.settle({6, 0}, 0, 0.01f, 0);
    return frame.take();
}

// A portal of 4 m columns on pins and a 6 m roof beam that warms by 25 °C
// through its depth: its lengthening is taken back by the thrust.
Document temperature() {
    ExampleBuilder frame("temperature.tsd");
    frame.member({0, 0}, {0, -4}, 0.4f, 0.4f);
    const int beam = frame.member({0, -4}, {6, -4}, 0.3f, 0.6f);
    frame.member({6, 0}, {6, -4}, 0.4f, 0.4f);
    frame.warm(beam, 25, 25);
    frame.finishDrawing();
    frame.support({0, 0}, SupportPinned);
    frame.support({6, 0}, SupportPinned);
    return frame.take();
}

// The portal in three named cases (dead and live load on the beam, wind
// at the top of the first column) and the combinations a designer checks
// first, wind from either side.
Document portalCases() {
    Document document = portalFrame();
    document.projectPath = "portal_cases.tsd";
    document.loadCaseNames = {"恒载"};
    addLoadCase(document, "活载");
    addLoadCase(document, "风载");
    document.members[1].荷载数 = 0;
    document.members[2].q[1] = 25;
    const auto addLoadIn = [](gj& member, int loadCase, const char* kind, float xq, float q) {
        const MemberLoads loads = loadsIn(member, loadCase);
        const auto slot = static_cast<std::size_t>(++loads.荷载数);
        loads.hzlx[slot] = kind;
        loads.xq[slot] = xq;
        loads.q[slot] = q;
    };
    addLoadIn(document.members[2], 2, "均布", 6, 10);
    addLoadIn(document.members[1], 3, "集中", 4, 12);
    document.combinations = {{"1.3恒载+1.5活载", {{1, 1.3f}, {2, 1.5f}}},
                             {"1.0恒载+1.5风载", {{1, 1}, {3, 1.5f}}},
                             {"1.0恒载-1.5风载", {{1, 1}, {3, -1.5f}}}};
    return document;
}

}  // namespace

std::vector<ExampleProject> exampleProjects() {
    return {
        {"portal.tsd", portalFrame()},
        {"two_storey.tsd", twoStoreyFrame()},
        {"propped_cantilever.tsd", proppedCantilever()},
        {"continuous_beam.tsd", continuousBeam()},
        {"triangle.tsd", triangle()},
        {"three_hinged_frame.tsd", threeHingedFrame()},
        {"settlement.tsd", settlement()},
        {"temperature.tsd", temperature()},
        {"portal_cases.tsd", portalCases()},
    };
}

Document exampleProject(const std::string& fileName) {
    for (ExampleProject& example : exampleProjects()) {
        if (example.fileName == fileName) {
            return std::move(example.document);
        }
    }
    throw std::invalid_argument(fileName);
}

}  // namespace orv::testing
