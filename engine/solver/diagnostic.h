// Messages of the engine. The engine shows no windows: every message of a
// run is handed, in order, to the handler the caller installs, which the
// program turns into a message box and the batch mode prints.
#pragma once

#include <functional>
#include <string>

namespace orv {

// None: a plain message with an OK button (the program's own notices).
enum class MessageIcon { None, Critical, Exclamation };

struct Diagnostic {
    std::string text;
    MessageIcon icon = MessageIcon::Exclamation;
    std::string caption;
    bool operator==(const Diagnostic&) const = default;
};

using MessageHandler = std::function<void(const Diagnostic&)>;

// The handler a new solver starts with: writes "caption: text" to stderr.
void printToStandardError(const Diagnostic& message);

}  // namespace orv
