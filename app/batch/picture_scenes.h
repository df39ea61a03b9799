// The pictures of a batch export: what each shows, and its scene made from
// the solved project as the window shows it after the command that draws
// it (弯矩图, 支座反力, ...): the members and support symbols, and the one
// figure of the picture.
#pragma once

#include <QString>
#include <optional>

#include "batch/batch_analysis.h"
#include "canvas/drawing_scene.h"
#include "results/solved_frame.h"

enum class Picture { Frame, Loads, Moment, Shear, Axial, Deflection, Reactions };

// The picture a word of --export names ("frame", "M", ...); nothing for
// another word.
std::optional<Picture> pictureNamed(const QString& word);
// The words a picture may be named by, for the usage text.
QString pictureKinds();

class PictureScenes {
public:
    // The still lines are drawn once, here; `project` outlives the scenes.
    // With `envelope`, M, Q and N are the envelopes of those forces.
    explicit PictureScenes(const SolvedProject& project, bool envelope = false);

    DrawingScene scene(Picture picture) const;
    // The solved frame of the results, nothing when the solver's tables do
    // not describe one.
    const std::optional<SolvedFrame>& frame() const { return frame_; }

private:
    std::optional<std::pair<FigureLayer, Figure>> figureOf(Picture picture) const;
    Figure diagramOf(DiagramKind kind) const;

    const SolvedProject& project_;
    bool envelope_;
    std::optional<SolvedFrame> frame_;
    DrawingScene still_;
};
