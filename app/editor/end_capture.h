// What a click on the drawn frame reaches when a command works on member
// ends or nodes: the member end whose third of its member next to the
// node passes nearest the pointer, or that end's node, and the members
// marked red meanwhile. The connection commands and the support-effect
// commands capture through it alike.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/member_connections.h"
#include "editor/editor_part.h"

class Canvas;
class MemberInput;

// Starts `mode`, a command that clicks on member ends, nodes or members:
// those belong to drawn members, and the member being drawn has no record
// yet, so the command waits until it is done; an empty frame has nothing
// to click.
void startClicking(const EditorContext& context, const MemberInput& memberInput, EditorMode mode);

class EndCapture {
public:
    EndCapture(const Document& document, Canvas& canvas, const MemberInput& memberInput);

    const MemberInput& memberInput() const { return memberInput_; }
    // The members with records: the one being drawn has none yet.
    std::int16_t recorded() const;
    // The end nearest (x, y) within the capture distance; none when no end is.
    std::optional<MemberEndRef> endNear(float x, float y) const;
    // The node of the member end nearest (x, y) within the capture
    // distance; 0 for none.
    std::int16_t nodeNear(float x, float y) const;
    // The members of `ends` red, those marked before black again.
    void mark(const std::vector<MemberEndRef>& ends);

private:
    const Document& document;
    Canvas& canvas;
    const MemberInput& memberInput_;
    std::vector<std::int16_t> marked_;  // members this capture turned red
};
