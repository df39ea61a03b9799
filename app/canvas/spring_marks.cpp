// The marks of elastic supports; see spring_marks.h.
#include "canvas/spring_marks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "document/member_connections.h"
#include "text/number_text.h"

namespace {

using Kind = ConnectionMark::Kind;

constexpr QColor kSpringBlue{0, 0, 255};  // the support symbols' colour
constexpr double kPenWidth = 1.2;
// Pixels along a spring: a gap at the node, the lead, the zigzag, the lead
// to the ground line.
constexpr double kGap = 4;
constexpr double kZigStart = 9;
constexpr double kZigEnd = 27;
constexpr double kGround = 32;
constexpr int kTeeth = 6;
constexpr double kTooth = 4;  // half the zigzag's width
constexpr double kGroundHalf = 7;
constexpr double kHatch = 4;
constexpr double kCoilInner = 4;  // the coil's radii
constexpr double kCoilOuter = 11;
constexpr double kCoilTurns = 1.75;
constexpr int kCoilPieces = 42;
constexpr double kTextGap = 3;

QPointF along(const ConnectionMark& mark) {
    return {mark.alongX, mark.alongY};
}

QPointF across(const ConnectionMark& mark) {
    return {-mark.alongY, mark.alongX};
}

// The zigzag from the node to the ground line, and the ground line with
// its hatching beyond.
QPainterPath zigzag(QPointF node, const ConnectionMark& mark) {
    const QPointF u = along(mark);
    const QPointF v = across(mark);
    QPainterPath path(node + u * kGap);
    path.lineTo(node + u * kZigStart);
    const double step = (kZigEnd - kZigStart) / kTeeth;
    for (int k = 0; k < kTeeth; ++k) {
        const double side = k % 2 == 0 ? kTooth : -kTooth;
        path.lineTo(node + u * (kZigStart + step * (k + 0.5)) + v * side);
    }
    path.lineTo(node + u * kZigEnd);
    path.lineTo(node + u * kGround);
    path.moveTo(node + u * kGround - v * kGroundHalf);
    path.lineTo(node + u * kGround + v * kGroundHalf);
    for (int k = 0; k < 3; ++k) {
        const QPointF foot = node + u * kGround + v * (kGroundHalf * (k - 1));
        path.moveTo(foot);
        path.lineTo(foot + u * kHatch - v * kHatch);
    }
    return path;
}

// A coil round the node, turning outwards, its outer end on a short ground
// line below-left.
QPainterPath coil(QPointF node) {
    QPainterPath path;
    QPointF last;
    for (int k = 0; k <= kCoilPieces; ++k) {
        const double t = static_cast<double>(k) / kCoilPieces;
        const double angle = std::numbers::pi / 2 + t * kCoilTurns * 2 * std::numbers::pi;
        const double radius = kCoilInner + (kCoilOuter - kCoilInner) * t;
        last = node + QPointF(std::cos(angle), std::sin(angle)) * radius;
        k == 0 ? path.moveTo(last) : path.lineTo(last);
    }
    const QPointF foot = last + QPointF(-kHatch, kHatch);
    path.lineTo(foot);
    path.moveTo(foot + QPointF(-kHatch, -kHatch));
    path.lineTo(foot + QPointF(kHatch, kHatch));
    return path;
}

QString springText(const ConnectionMark& mark) {
    const char* name = mark.kind == Kind::SpringX   ? "kx="
                       : mark.kind == Kind::SpringY ? "ky="
                                                    : "kr=";
    return QString::fromUtf8(name) + QString::fromStdString(orv::displayText(mark.stiffness));
}

// Beside the zigzag's middle, on its side away from the node's other
// things (the +across side); a coil's text right of it.
QRectF textBox(QPointF node, const ConnectionMark& mark, const QFont& font) {
    const QFontMetricsF metrics(markFont(font));
    const QSizeF size(metrics.horizontalAdvance(springText(mark)), metrics.height());
    QPointF middle;
    QPointF side;
    if (mark.kind == Kind::SpringRotation) {
        middle = node;
        side = {1, 0};
        middle += side * (kCoilOuter + kTextGap);
    } else {
        side = across(mark);
        if (side.x() < 0 || (side.x() == 0 && side.y() < 0)) {
            side = -side;
        }
        middle = node + along(mark) * ((kZigStart + kZigEnd) / 2) + side * (kTooth + kTextGap);
    }
    middle += QPointF(side.x() * size.width(), side.y() * size.height()) / 2;
    return {middle - QPointF(size.width(), size.height()) / 2, size};
}

}  // namespace

bool isSpring(const ConnectionMark& mark) {
    return mark.kind == Kind::SpringX || mark.kind == Kind::SpringY ||
           mark.kind == Kind::SpringRotation;
}

std::vector<ConnectionMark> springMarks(const Document& document, std::int16_t recorded) {
    std::vector<ConnectionMark> marks;
    const int last = std::min<int>(recorded, static_cast<int>(document.members.size()) - 1);
    std::vector<bool> seen(document.supportExtras.size());
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const auto node = static_cast<std::size_t>(std::max<int>(nodeOf(member, end), 0));
            if (node < 1 || node >= seen.size() || seen[node]) {
                continue;
            }
            seen[node] = true;
            const SupportExtras& extras = document.supportExtras[node];
            const auto [x, y] = pointOf(member, end);
            const double turn = extras.angle * std::numbers::pi / 180;
            const double c = std::cos(turn);
            const double s = std::sin(turn);
            // The symbol of a support kind stands below the node: the y
            // spring goes above it then.
            const double ySide = elementOr(document.supportKinds, node) == SupportNone ? 1.0 : -1.0;
            if (extras.springs[0] > 0) {
                marks.push_back({Kind::SpringX, x, y, -c, -s, extras.springs[0]});
            }
            if (extras.springs[1] > 0) {
                marks.push_back({Kind::SpringY, x, y, -s * ySide, c * ySide, extras.springs[1]});
            }
            if (extras.springs[2] > 0) {
                marks.push_back({Kind::SpringRotation, x, y, 0, 0, extras.springs[2]});
            }
        }
    }
    return marks;
}

QRectF springBounds(const ViewTransform& view, const ConnectionMark& mark, const QFont& font) {
    const QPointF node = view.toPixel(mark.x, mark.y);
    const double reach = (mark.kind == Kind::SpringRotation ? kCoilOuter : kGround) + kHatch +
                         kGroundHalf + kPenWidth + 1;
    return QRectF(node - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach)) |
           textBox(node, mark, font).adjusted(-1, -1, 1, 1);
}

void paintSpring(QPainter& painter, const ViewTransform& view, const ConnectionMark& mark,
                 const QFont& font) {
    const QPointF node = view.toPixel(mark.x, mark.y);
    painter.setPen(QPen(kSpringBlue, kPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark.kind == Kind::SpringRotation ? coil(node) : zigzag(node, mark));
    painter.setFont(markFont(font));
    painter.drawText(textBox(node, mark, font), Qt::AlignCenter, springText(mark));
}
