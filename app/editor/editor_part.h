// What every part of the editor window has: the context it works in (the
// document, the canvas, the platform and the window's controls), the menu
// items whose commands it does, and what it drops when the window starts
// over for another document.
#pragma once

#include <QKeySequence>
#include <functional>
#include <vector>

#include "document/document.h"
#include "editor/editor_controls.h"
#include "editor/menu_commands.h"

class Canvas;
class Platform;

// What the parts share; each keeps only its own state beside it.
struct EditorContext {
    Document& document;
    Canvas& canvas;
    Platform& platform;
    EditorControls& controls;
};

// One menu item as the part that does its command publishes it. The window
// puts the items in menu order and runs each command as one step.
struct MenuRow {
    MenuCommand id;
    const char* caption;  // the item's text, UTF-8
    std::function<void()> command;
    // Set for a checkable item: whether its display is on, read when the
    // menu is built and after every run of the command.
    std::function<bool()> checked = {};
    QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
};

class EditorPart {
public:
    explicit EditorPart(const EditorContext& context)
        : document(context.document),
          canvas(context.canvas),
          platform(context.platform),
          controls(context.controls) {}
    virtual ~EditorPart() = default;
    EditorPart(const EditorPart&) = delete;
    EditorPart& operator=(const EditorPart&) = delete;

    // The items of the part's commands, in any order.
    virtual std::vector<MenuRow> menuRows() { return {}; }
    // The window starts over (start-up, 新建, 打开): the part drops what it
    // kept of the document that went. Most keep nothing.
    virtual void reset(ResetReason /*reason*/) {}

protected:
    Document& document;
    Canvas& canvas;
    Platform& platform;
    EditorControls& controls;
};
