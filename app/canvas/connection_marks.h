// The marks of released member ends, as the textbook draws them: a small
// hollow circle on the member just inside a hinged end, its edge touching
// the node; one circle centred on a node where every member end is a
// hinge; a circle with its half towards the node filled, and the
// stiffness beside it, at a semi-rigid end. Their size is in pixels, so
// they read alike at every zoom and in every picture; the window's cache,
// every export and the printed page paint them with the one function
// below.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRegion>
#include <optional>
#include <vector>

#include "canvas/view_transform.h"
#include "document/document.h"

class QPainter;

// Springs between a node and the ground are marks of the same kind (see
// spring_marks.h): their size is in pixels too, and they go wherever the
// connection marks go.
struct ConnectionMark {
    enum class Kind { Hinge, SemiRigid, HingedNode, SpringX, SpringY, SpringRotation };
    Kind kind = Kind::Hinge;
    float x = 0;  // the node's world point
    float y = 0;
    // The unit direction from the node into the member, or along which a
    // spring runs from the node; none for a hinged node or a rotational
    // spring.
    double alongX = 0;
    double alongY = 0;
    float stiffness = 0;  // kN*m/rad of a semi-rigid end, a spring's k
    bool operator==(const ConnectionMark&) const = default;
};

// The marks of the first `recorded` members' connections: one per hinged
// node, one per other released end, in member order; then the springs of
// their nodes.
std::vector<ConnectionMark> connectionMarks(const Document& document, std::int16_t recorded);

// The smaller font of the marks' texts.
QFont markFont(const QFont& font);

// The pixels a mark covers, its stiffness text included.
QRect connectionMarkBounds(const ViewTransform& view, const ConnectionMark& mark,
                           const QFont& font);

// Paints the marks (only those that may touch `area`, when given). Inside
// a circle the member line is covered with `interior`, or cleared to
// transparent where there is none (the window's cached image).
void paintConnectionMarks(QPainter& painter, const ViewTransform& view,
                          const std::vector<ConnectionMark>& marks, const QFont& font,
                          std::optional<QColor> interior, const QRegion* area = nullptr);
