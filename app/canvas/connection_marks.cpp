// The marks of released member ends; see connection_marks.h.
#include "canvas/connection_marks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/spring_marks.h"
#include "document/member_connections.h"
#include "text/number_text.h"

namespace {

constexpr double kRadius = 4;  // pixels, about the support symbols' hinge ring
constexpr double kPenWidth = 1.5;
constexpr double kTextGap = 3;  // pixels between a circle and its stiffness text
constexpr double kTextScale = 0.8;
constexpr double kFarPixels = 1e7;

QPointF centreOf(const ViewTransform& view, const ConnectionMark& mark) {
    return view.toPixel(mark.x, mark.y) + QPointF(mark.alongX, mark.alongY) * kRadius;
}

QString stiffnessText(const ConnectionMark& mark) {
    return QStringLiteral("k=") + QString::fromStdString(orv::displayText(mark.stiffness));
}

// Beside the circle, across the member: above a level member, left of a
// plumb one.
QRectF stiffnessBox(const ViewTransform& view, const ConnectionMark& mark, const QFont& font) {
    const QFontMetricsF metrics(markFont(font));
    const QString text = stiffnessText(mark);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    QPointF across(mark.alongY, -mark.alongX);
    if (across.y() > 0 || (across.y() == 0 && across.x() > 0)) {
        across = -across;
    }
    const QPointF middle = centreOf(view, mark) + across * (kRadius + kTextGap) +
                           QPointF(across.x() * size.width(), across.y() * size.height()) / 2;
    return {middle - QPointF(size.width(), size.height()) / 2, size};
}

// The half of the circle towards the node: the end's spring.
QPainterPath halfTowardsNode(QPointF centre, const ConnectionMark& mark) {
    const double towardsNode =
        std::atan2(mark.alongY, -mark.alongX) * 180 / std::numbers::pi;  // Qt's angles, y up
    const QRectF circle(centre - QPointF(kRadius, kRadius), QSizeF(2 * kRadius, 2 * kRadius));
    QPainterPath half;
    half.moveTo(centre);
    half.arcTo(circle, towardsNode - 90, 180);
    half.closeSubpath();
    return half;
}

void paintMark(QPainter& painter, const ViewTransform& view, const ConnectionMark& mark,
               const QFont& font, std::optional<QColor> interior) {
    const QPointF centre = centreOf(view, mark);
    QPainterPath disc;
    disc.addEllipse(centre, kRadius, kRadius);
    if (interior) {
        painter.fillPath(disc, *interior);
    } else {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillPath(disc, Qt::transparent);
        painter.restore();
    }
    painter.setPen(QPen(Qt::black, kPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(disc);
    if (mark.kind == ConnectionMark::Kind::SemiRigid) {
        painter.fillPath(halfTowardsNode(centre, mark), Qt::black);
        painter.setFont(markFont(font));
        painter.drawText(stiffnessBox(view, mark, font), Qt::AlignCenter, stiffnessText(mark));
    }
}

}  // namespace

QFont markFont(const QFont& font) {
    QFont small = font;
    if (font.pointSizeF() > 0) {
        small.setPointSizeF(font.pointSizeF() * kTextScale);
    } else if (font.pixelSize() > 0) {
        small.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * kTextScale)));
    }
    return small;
}

std::vector<ConnectionMark> connectionMarks(const Document& document, std::int16_t recorded) {
    std::vector<ConnectionMark> marks;
    const int last = std::min<int>(recorded, static_cast<int>(document.members.size()) - 1);
    const std::vector<bool> hinged = hingedNodes(document, static_cast<std::int16_t>(last));
    std::vector<bool> circled(hinged.size());
    for (int m = 1; m <= last; ++m) {
        const gj& member = document.members[static_cast<std::size_t>(m)];
        for (const MemberEnd end : {MemberEnd::First, MemberEnd::Second}) {
            const std::optional<float>& connection = connectionOf(member, end);
            const auto node = static_cast<std::size_t>(std::max<int>(nodeOf(member, end), 0));
            if (!connection || node < 1 || node >= hinged.size()) {
                continue;
            }
            const auto [x, y] = pointOf(member, end);
            if (hinged[node]) {
                if (!circled[node]) {
                    circled[node] = true;
                    marks.push_back({ConnectionMark::Kind::HingedNode, x, y});
                }
                continue;
            }
            const auto [farX, farY] =
                pointOf(member, end == MemberEnd::First ? MemberEnd::Second : MemberEnd::First);
            const double length = std::hypot(double{farX} - x, double{farY} - y);
            if (!(length > 0)) {
                continue;
            }
            marks.push_back({isHinge(connection) ? ConnectionMark::Kind::Hinge
                                                 : ConnectionMark::Kind::SemiRigid,
                             x, y, (double{farX} - x) / length, (double{farY} - y) / length,
                             *connection});
        }
    }
    const std::vector<ConnectionMark> springs = springMarks(document, recorded);
    marks.insert(marks.end(), springs.begin(), springs.end());
    return marks;
}

QRect connectionMarkBounds(const ViewTransform& view, const ConnectionMark& mark,
                           const QFont& font) {
    const QPointF node = view.toPixel(mark.x, mark.y);
    if (!(std::abs(node.x()) < kFarPixels && std::abs(node.y()) < kFarPixels)) {
        return {};  // no pixel of the window, and no rectangle in int
    }
    if (isSpring(mark)) {
        return springBounds(view, mark, font).toAlignedRect();
    }
    const double room = kRadius + kPenWidth + 1;
    QRectF bounds(centreOf(view, mark) - QPointF(room, room), QSizeF(2 * room, 2 * room));
    if (mark.kind == ConnectionMark::Kind::SemiRigid) {
        bounds |= stiffnessBox(view, mark, font).adjusted(-1, -1, 1, 1);
    }
    return bounds.toAlignedRect();
}

void paintConnectionMarks(QPainter& painter, const ViewTransform& view,
                          const std::vector<ConnectionMark>& marks, const QFont& font,
                          std::optional<QColor> interior, const QRegion* area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF surface = QRectF(QPointF(0, 0), QSizeF(view.pixels)).adjusted(-50, -50, 50, 50);
    for (const ConnectionMark& mark : marks) {
        // Marks far off the surface are passed over: the painter's
        // fixed-point arithmetic fails on huge coordinates.
        if (!surface.contains(view.toPixel(mark.x, mark.y))) {
            continue;
        }
        if (area != nullptr && !area->intersects(connectionMarkBounds(view, mark, font))) {
            continue;
        }
        if (isSpring(mark)) {
            paintSpring(painter, view, mark, font);
        } else {
            paintMark(painter, view, mark, font, interior);
        }
    }
    painter.restore();
}
