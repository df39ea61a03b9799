// The pictures of a batch export; see picture_scenes.h.
#include "batch/picture_scenes.h"

#include <QGuiApplication>
#include <QStringList>
#include <array>
#include <utility>

#include "canvas/canvas.h"
#include "canvas/still_lines.h"
#include "canvas/support_effect_figure.h"
#include "results/deflected_shape.h"
#include "results/envelope.h"
#include "results/reactions.h"
#include "results/result_figures.h"

namespace {

struct PictureName {
    const char* word;
    Picture picture;
};

const std::array<PictureName, 7> kPictureNames{{
    {"frame", Picture::Frame},
    {"loads", Picture::Loads},
    {"M", Picture::Moment},
    {"Q", Picture::Shear},
    {"N", Picture::Axial},
    {"deflection", Picture::Deflection},
    {"reactions", Picture::Reactions},
}};

// The window's canvas: the document's world window and background, the
// application's font (the canvas widget's), every member and support.
DrawingScene stillLinesOf(const Document& document) {
    Canvas canvas;
    canvas.setWorld(document.world);
    canvas.setBackground(document.backColour);
    canvas.font = QGuiApplication::font();
    drawStillLines(canvas, document);
    return canvas.scene();
}

// The deflected shape at the magnification 变形图 chooses.
Figure deflectionOf(const SolvedFrame& frame) {
    const std::vector<MemberCurve> curves = elasticCurves(frame);
    return deflectionFigure(frame, curves, roundedMagnification(automaticMagnification(curves)));
}

}  // namespace

std::optional<Picture> pictureNamed(const QString& word) {
    for (const PictureName& name : kPictureNames) {
        if (word == QLatin1String(name.word)) {
            return name.picture;
        }
    }
    return std::nullopt;
}

QString pictureKinds() {
    QStringList words;
    for (const PictureName& name : kPictureNames) {
        words << QLatin1String(name.word);
    }
    return words.join(QStringLiteral(", "));
}

PictureScenes::PictureScenes(const SolvedProject& project, bool envelope)
    : project_(project),
      envelope_(envelope),
      frame_(readSolvedFrame(*project.solver)),
      still_(stillLinesOf(project.document)) {}

DrawingScene PictureScenes::scene(Picture picture) const {
    DrawingScene scene = still_;
    if (auto figure = figureOf(picture)) {
        scene.setFigure(figure->first, std::move(figure->second));
    }
    return scene;
}

Figure PictureScenes::diagramOf(DiagramKind kind) const {
    if (envelope_) {
        return envelopeFigure(project_.document, *project_.solver, kind);
    }
    return diagramsOf(project_.document, project_.solver->a, kind);
}

// The window's commands draw the reactions and the deflected shape only
// from a frame its results describe.
std::optional<std::pair<FigureLayer, Figure>> PictureScenes::figureOf(Picture picture) const {
    const Document& document = project_.document;
    switch (picture) {
        case Picture::Frame:
            return std::nullopt;
        case Picture::Loads:
            return std::pair{FigureLayer::Loads,
                             drawnLoadsFigure(document, document.membersEntered)};
        case Picture::Moment:
            return std::pair{FigureLayer::Diagram, diagramOf(DiagramKind::Moment)};
        case Picture::Shear:
            return std::pair{FigureLayer::Diagram, diagramOf(DiagramKind::Shear)};
        case Picture::Axial:
            return std::pair{FigureLayer::Diagram, diagramOf(DiagramKind::Axial)};
        case Picture::Deflection:
            return frame_ ? std::optional(std::pair{FigureLayer::Deflection, deflectionOf(*frame_)})
                          : std::nullopt;
        case Picture::Reactions:
            return frame_ ? std::optional(std::pair{FigureLayer::Reactions,
                                                    reactionFigure(supportReactions(*frame_))})
                          : std::nullopt;
    }
    return std::nullopt;
}
