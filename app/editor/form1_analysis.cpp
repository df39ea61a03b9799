// The analysis run: the document copied into the window's one solver, the
// run, and the member end forces printed on the canvas.
#include <QLabel>
#include <exception>
#include <fstream>
#include <string>

#include "document/file_names.h"
#include "editor/form1.h"
#include "platform/platform.h"
#include "results/solver_copy.h"
#include "solver/result_files.h"
#include "solver/内力_位移.h"

namespace {

MessageIcon platformIcon(orv::MessageIcon icon) {
    switch (icon) {
        case orv::MessageIcon::Critical:
            return MessageIcon::Critical;
        case orv::MessageIcon::Exclamation:
            return MessageIcon::Exclamation;
        case orv::MessageIcon::None:
            break;
    }
    return MessageIcon::None;
}

// The project path less its four-character extension: the engine's rule,
// on the path as the engine receives it.
QString resultBase(const std::string& projectPath) {
    try {
        return QString::fromStdString(
            fileNameToUtf8(orv::resultBaseName(utf8ToFileName(projectPath))));
    } catch (const std::exception&) {
        return {};  // a path of fewer than four characters names no results
    }
}

constexpr float kResultsX = 8;
constexpr float kFirstResultLine = 0.7f;
constexpr float kResultLineStep = 0.3f;

}  // namespace

内力_位移& Form1::solver() {
    if (!solver_) {
        solver_ = std::make_unique<内力_位移>();
        solver_->messageHandler = [this](const orv::Diagnostic& message) { showMessage(message); };
    }
    return *solver_;
}

// The engine's messages and the program's own, each a message box with its
// icon and caption, in the order they come.
void Form1::showMessage(const orv::Diagnostic& message) {
    platform.tell(QString::fromStdString(message.text), platformIcon(message.icon),
                  QString::fromStdString(message.caption));
}

bool Form1::runAnalysis(bool sayWhyUnsolvable) {
    内力_位移& run = solver();
    if (!gj2计算gj(document, run, [this](const orv::Diagnostic& m) { showMessage(m); })) {
        return false;
    }
    if (document.membersEntered == 0 || !run.能否计算()) {
        if (sayWhyUnsolvable && document.membersEntered > 0) {
            platform.tell(QString::fromUtf8(kCannotComputeMessage));
        }
        return false;
    }
    return run.korvasta(utf8ToFileName(document.projectPath));
}

// The results are claimed and printed only when the engine wrote them.
void Form1::内力位移计算() {
    if (document.membersEntered <= 0) {
        return;
    }
    canvas.clear();
    if (!runAnalysis(true)) {
        return;
    }
    canvas.clear();
    窗口显示计算结果();
    杆件号节点号显示();
    // Last, so that the number display's own hint does not hide where the
    // results were saved.
    Label6->setText(QStringLiteral("计算的杆件内力结果,位移结果保存在") +
                    resultBase(document.projectPath) + QStringLiteral(".mqn(.uva)"));
}

// Every line of the ".mqn" file as it stands, at world x = 8, from 0.7
// below the top of the view, 0.3 apart.
void Form1::窗口显示计算结果() {
    std::ifstream file(filePath(resultBase(document.projectPath).toStdString() + ".mqn"));
    float y = kFirstResultLine;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();  // result files end their lines with CR LF
        }
        canvas.printText(kResultsX, document.world.scaleTop + y, QString::fromStdString(line));
        y += kResultLineStep;
    }
}
