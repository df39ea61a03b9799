// Run-time errors of an analysis run. C++ arithmetic and indexing raise
// nothing by themselves, so the engine checks for these conditions and
// throws an EngineError, which the run reports with the error's own
// description and ends.
#pragma once

#include <stdexcept>
#include <string_view>

namespace orv {

enum class RunTimeError {
    DivisionByZero,       // a finite value divided by zero
    Overflow,             // a value beyond the number range, or not a number
    TypeMismatch,         // a text that should hold a number does not
    SubscriptOutOfRange,  // an index outside an input array
    InvalidArgument,      // an argument the run cannot use (a too short file name)
    FileAccess,           // a result file could not be deleted, created or written
    OutOfMemory,          // the model does not fit in memory
};

std::string_view describe(RunTimeError error);

class EngineError : public std::runtime_error {
public:
    explicit EngineError(RunTimeError error);
    RunTimeError error() const { return error_; }

private:
    RunTimeError error_;
};

}  // namespace orv
