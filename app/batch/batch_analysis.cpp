// Batch analysis; see batch_analysis.h.
#include "batch/batch_analysis.h"

#include <fstream>
#include <ostream>

#include "document/project_file.h"
#include "results/solver_copy.h"
#include "solver/result_files.h"

namespace {

void printMemberForces(const std::string& projectPath, std::ostream& out) {
    std::ifstream file(orv::resultBaseName(projectPath) + ".mqn", std::ios::binary);
    out << file.rdbuf();
}

}  // namespace

BatchStatus analyzeProject(const std::string& path, std::ostream& out, std::ostream& err) {
    Document document;
    resetDocument(document, ".");
    if (const auto error = readProjectFile(path, document)) {
        err << projectReadMessage(path, *error) << '\n';
        return BatchStatus::UnreadableFile;
    }
    document.projectPath = path;

    const MessageSink say = [&err](const std::string& text) { err << text << '\n'; };
    内力_位移 solver;
    solver.messageHandler = [&say](const orv::Diagnostic& message) { say(message.text); };
    if (!gj2计算gj(document, solver, say)) {
        return BatchStatus::DrawingIncomplete;
    }
    if (!solver.能否计算()) {
        say(kCannotComputeMessage);
        return BatchStatus::Unsolvable;
    }
    if (!solver.korvasta(document.projectPath)) {
        return BatchStatus::Unsolvable;
    }
    printMemberForces(document.projectPath, out);
    return BatchStatus::Solved;
}
