// Export and printing of the drawing; see drawing_output.h.
#include "editor/drawing_output.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "canvas/drawing_export.h"
#include "document/file_names.h"
#include "editor/analysis_commands.h"
#include "editor/result_views.h"
#include "platform/platform.h"
#include "text/number_text.h"

namespace {

const QString kDrawingFilter =
    QStringLiteral("SVG图形(*.svg)|*.svg|PDF文件(*.pdf)|*.pdf|PNG图像(*.png)|*.png");

QString numberText(double value) {
    return QString::fromStdString(orv::displayText(static_cast<float>(value)));
}

}  // namespace

DrawingOutput::DrawingOutput(const EditorContext& context, const AnalysisCommands& analysis,
                             const ResultViews& results)
    : EditorPart(context), analysis(analysis), results(results) {}

std::vector<MenuRow> DrawingOutput::menuRows() {
    return {{MenuCommand::ExportDrawing, "导出图形", [this] { exportCommand(); }},
            {MenuCommand::Print, "打印", [this] { printCommand(); }}};
}

// The width of a PNG picture, or the paper of a PDF file, asked after the
// name, the last answer offered again; nothing when the user cancels or
// the answer is not one (which is said).
std::optional<DrawingSize> DrawingOutput::askSize(DrawingFormat format) {
    const QString title = QStringLiteral("导出图形");
    if (format == DrawingFormat::Png) {
        const QString answer = platform.inputBox(QStringLiteral("图像宽度(像素, 1 到 8192):"),
                                                 title, QString::number(pngWidth_));
        if (answer.isEmpty()) {
            return std::nullopt;
        }
        bool number = false;
        const int width = answer.trimmed().toInt(&number);
        if (!number || width < 1 || width > kLargestPictureSide) {
            platform.tell(QStringLiteral("图像宽度应为 1 到 8192 之间的整数"),
                          MessageIcon::Exclamation);
            return std::nullopt;
        }
        pngWidth_ = width;
        return DrawingSize{std::nullopt, width, paper_};
    }
    if (format == DrawingFormat::Pdf) {
        const QString answer =
            platform.inputBox(QStringLiteral("纸张(A4 或 A3):"), title,
                              paper_ == Paper::A3 ? QStringLiteral("A3") : QStringLiteral("A4"));
        if (answer.isEmpty()) {
            return std::nullopt;
        }
        const auto paper = paperNamed(answer);
        if (!paper) {
            platform.tell(QStringLiteral("纸张应为 A4 或 A3"), MessageIcon::Exclamation);
            return std::nullopt;
        }
        paper_ = *paper;
    }
    return DrawingSize{std::nullopt, std::nullopt, paper_};
}

// The format follows the extension; a name without one of the three gets
// ".svg", and is asked about again when that file exists (the dialog asked
// about the name it returned only).
void DrawingOutput::exportCommand() {
    QString name =
        platform.saveFileName(kDrawingFilter, QStringLiteral("svg"),
                              QString::fromStdString(besideProject(document.projectPath, ".svg")));
    if (name.isEmpty()) {
        return;
    }
    if (!drawingFormatOf(name)) {
        name += QStringLiteral(".svg");
        if (QFileInfo::exists(name) && !platform.mayReplace(name, QStringLiteral("导出图形"))) {
            return;
        }
    }
    const auto size = askSize(*drawingFormatOf(name));
    if (!size) {
        return;
    }
    if (const auto why = exportDrawing(canvas.scene(), name, *size)) {
        platform.tell(QStringLiteral("导出图形失败:") + QDir::toNativeSeparators(name) +
                          QStringLiteral("\n") + *why,
                      MessageIcon::Exclamation);
    }
}

void DrawingOutput::printCommand() {
    platform.printPreview([this](QPrinter& printer) {
        QPainter painter(&printer);
        paintPage(painter, QRect(0, 0, printer.width(), printer.height()));
    });
}

QString DrawingOutput::shownContent() const {
    QStringList parts;
    if (const auto kind = analysis.shownEnvelope()) {
        return envelopeTitle(*kind) + QStringLiteral(" 比例 ") + numberText(document.diagramScale);
    }
    if (const auto kind = analysis.shownDiagram()) {
        parts << diagramTitle(*kind) + QStringLiteral(" 比例 ") + numberText(document.diagramScale);
    }
    if (!canvas.figure(FigureLayer::Reactions).empty()) {
        parts << QStringLiteral("支座反力");
    }
    if (!canvas.figure(FigureLayer::Deflection).empty()) {
        parts << QStringLiteral("变形图 放大倍数 ") + numberText(results.magnification());
    }
    // The results of a project with load cases are those of the set shown.
    return parts.isEmpty() ? QStringLiteral("框架")
                           : parts.join(QStringLiteral("、")) + analysis.shownSetSuffix();
}

QStringList DrawingOutput::titleBlock() const {
    const QString project = QFileInfo(QString::fromStdString(document.projectPath)).fileName();
    return {QStringLiteral("项目: ") + project,
            QStringLiteral("日期: ") + QDate::currentDate().toString(Qt::ISODate),
            QStringLiteral("内容: ") + shownContent(), QStringLiteral("单位: kN, m")};
}

// The block is as tall as its lines are when drawn: a line of Chinese
// text takes its height from the fallback font that draws the characters,
// which is taller than the canvas font's own height. A line too long for
// the page wraps.
void DrawingOutput::paintPage(QPainter& painter, const QRect& page) const {
    painter.setFont(canvas.font);
    const QString text = titleBlock().join(QLatin1Char('\n'));
    const double padding = std::ceil(QFontMetricsF(canvas.font, painter.device()).height() / 2);
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF widthOfPage(0, 0, std::max(page.width() - 2 * padding, 1.0), page.height());
    const double textHeight = std::ceil(painter.boundingRect(widthOfPage, kFlags, text).height());
    const int blockHeight = static_cast<int>(textHeight + 2 * padding);
    const QRect block(page.left(), page.bottom() + 1 - blockHeight, page.width(), blockHeight);
    paintFittedDrawing(painter, canvas.scene(),
                       QRect(page.topLeft(), QSize(page.width(), block.top() - page.top())));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(block.adjusted(0, 0, -1, -1));
    painter.drawText(QRectF(block).adjusted(padding, padding, -padding, -padding), kFlags, text);
}
