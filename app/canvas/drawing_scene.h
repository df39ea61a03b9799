// The drawing as a file or a page shows it, as one value: what a picture
// holds without the window that may have made it. The window's canvas
// gives its own (Canvas::scene); a picture made without the window is
// put together from the document and its results.
#pragma once

#include <QFont>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "canvas/canvas_strokes.h"
#include "canvas/connection_marks.h"
#include "canvas/line_arrays.h"
#include "document/document.h"
#include "results/figure.h"

struct DrawingScene {
    // The window onto the world, shown when the drawing holds nothing.
    WorldWindow world;
    ColourValue background = kWhite;
    // The font of the figures' texts.
    QFont font;
    // The members and support symbols, without the crosshair, the capture
    // box, the tick, previews and the member being drawn.
    std::vector<LineShape> stillLines;
    // The printed layer's operations since it was last cleared.
    std::vector<CanvasPrint> prints;
    // The figure of each layer, shared rather than copied (a diagram of a
    // large frame holds millions of points); none where a layer is empty.
    std::array<std::shared_ptr<const Figure>, kFigureLayerCount> figures;
    // The marks of released member ends, over the still lines.
    std::vector<ConnectionMark> connections;

    // The figure of `layer`, empty when there is none.
    const Figure& figure(FigureLayer layer) const {
        static const Figure none;
        const auto& shown = figures.at(static_cast<std::size_t>(layer));
        return shown ? *shown : none;
    }
    void setFigure(FigureLayer layer, Figure figure) {
        figures.at(static_cast<std::size_t>(layer)) =
            std::make_shared<const Figure>(std::move(figure));
    }
};
