// The drawing leaving the window: 导出图形 writes it to an SVG, PDF or PNG
// file the user names, 打印 shows the print preview of a page with the
// drawing fitted and a title block (project, date, what is shown, the
// scale, the units).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "canvas/drawing_export.h"
#include "editor/editor_part.h"

class AnalysisCommands;
class QPainter;
class QPrinter;
class QRect;
class ResultViews;

class DrawingOutput : public EditorPart {
public:
    DrawingOutput(const EditorContext& context, const AnalysisCommands& analysis,
                  const ResultViews& results);

    // 导出图形, 打印.
    std::vector<MenuRow> menuRows() override;

    void exportCommand();
    void printCommand();

    // The lines of the page's title block.
    QStringList titleBlock() const;
    // One page: the title block along the bottom of `page`, the drawing
    // fitted above it.
    void paintPage(QPainter& painter, const QRect& page) const;

private:
    std::optional<DrawingSize> askSize(DrawingFormat format);
    // What the drawing shows besides the frame, as the title block names
    // it, with its scale.
    QString shownContent() const;

    const AnalysisCommands& analysis;
    const ResultViews& results;
    int pngWidth_ = kDefaultPngWidth;
    Paper paper_ = Paper::A4;
};
