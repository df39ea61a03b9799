// One result picture at a time; see result_picture.h.
#include "editor/result_picture.h"

#include <utility>

#include "canvas/canvas.h"

namespace {

constexpr FigureLayer kResultPictures[] = {FigureLayer::Diagram, FigureLayer::Reactions,
                                           FigureLayer::Deflection};

}  // namespace

void showResultPicture(Canvas& canvas, FigureLayer layer, Figure figure) {
    for (const FigureLayer other : kResultPictures) {
        if (other != layer) {
            canvas.clearFigure(other);
        }
    }
    canvas.setFigure(layer, std::move(figure));
}

void clearResultPictures(Canvas& canvas) {
    for (const FigureLayer layer : kResultPictures) {
        canvas.clearFigure(layer);
    }
}
