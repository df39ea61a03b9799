// Load kind table look-ups; see load_kinds.h.
#include "model/load_kinds.h"

namespace orv {

std::int16_t loadKindCode(std::string_view text) {
    for (const LoadKindInfo& info : kLoadKinds) {
        if (info.text == text) {
            return static_cast<std::int16_t>(info.kind);
        }
    }
    return static_cast<std::int16_t>(LoadKind::None);
}

std::string_view loadKindText(LoadKind kind) {
    for (const LoadKindInfo& info : kLoadKinds) {
        if (info.kind == kind) {
            return info.text;
        }
    }
    return {};
}

}  // namespace orv
