// Elastic supports as the textbook draws them: a zigzag from the node to a
// short hatched ground line along each sprung support axis (turned with the
// node's axes; the y spring below the node, or above it where the node's
// support symbol stands below, the x spring to its left), and a coil round
// the node for a rotational spring; each with its stiffness beside it.
// Sizes are in pixels, as the connection marks' are, and they are painted
// with them (connection_marks.h).
#pragma once

#include <QRectF>
#include <vector>

#include "canvas/connection_marks.h"

// One mark per spring of the nodes of the first `recorded` members, in
// node order.
std::vector<ConnectionMark> springMarks(const Document& document, std::int16_t recorded);

bool isSpring(const ConnectionMark& mark);
QRectF springBounds(const ViewTransform& view, const ConnectionMark& mark, const QFont& font);
void paintSpring(QPainter& painter, const ViewTransform& view, const ConnectionMark& mark,
                 const QFont& font);
