// Descriptions of the engine's run-time errors, as the user reads them.
#include "solver/engine_error.h"

#include <iostream>
#include <string>

#include "solver/diagnostic.h"

namespace orv {

std::string_view describe(RunTimeError error) {
    switch (error) {
        case RunTimeError::DivisionByZero:
            return "除数为零";
        case RunTimeError::Overflow:
            return "溢出";
        case RunTimeError::TypeMismatch:
            return "类型不匹配";
        case RunTimeError::SubscriptOutOfRange:
            return "下标越界";
        case RunTimeError::InvalidArgument:
            return "无效的过程调用或参数";
        case RunTimeError::FileAccess:
            return "路径/文件访问错误";
        case RunTimeError::OutOfMemory:
            return "内存溢出";
    }
    return "";
}

EngineError::EngineError(RunTimeError error)
    : std::runtime_error(std::string(describe(error))), error_(error) {}

void printToStandardError(const Diagnostic& message) {
    std::cerr << message.caption << ": " << message.text << '\n';
}

}  // namespace orv
