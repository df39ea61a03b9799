// What a support does beside its kind, and a member that warms: 弹性支座
// (a click on a node asks the springs kx, ky, kr; zeros remove them),
// 斜支座 (a click on a supported node asks the turn of its axes), 支座位移
// (a click on a supported node asks how far it moves along the freedoms
// its kind restrains) and 温度改变 (a click on a member asks t1 and t2).
//
// Owns nothing: the springs, turns and settlements are the document's
// per node, the temperatures the member records', the members marked red
// the shared end capture's (nodes) or the hover test's (members). Each
// click's change is one step of the window's history, as every press is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/editor_part.h"

class EndCapture;
class LoadDrawing;

// The hints of the four commands while nothing is captured.
inline constexpr const char* kElasticSupportHint =
    "移动鼠标捕捉节点,捕捉成功后击鼠标左键输入弹簧刚度";
inline constexpr const char* kInclinedSupportHint =
    "移动鼠标捕捉有支座的节点,捕捉成功后击鼠标左键输入支座倾角(由+X转向+Y为正,即屏幕上顺时针)";
inline constexpr const char* kSettlementHint =
    "移动鼠标捕捉有支座的节点,捕捉成功后击鼠标左键输入支座位移";
inline constexpr const char* kTemperatureHint =
    "移动鼠标到杆件中点附近,击鼠标左键输入温度改变 t1(无黑短线一侧), t2(黑短线一侧)";

class SupportEffectCommands : public EditorPart {
public:
    SupportEffectCommands(const EditorContext& context, EndCapture& capture,
                          LoadDrawing& loadDrawing);

    // 弹性支座, 斜支座, 支座位移, 温度改变.
    std::vector<MenuRow> menuRows() override;

    bool running() const;
    // The mouse at (x, y): the node nearest it is captured and named in the
    // hint; in 温度改变 the hovered member is.
    void pointAt(float x, float y);
    // A left press at (x, y): the running command asks for what it captures.
    void press(float x, float y);

private:
    void start(EditorMode mode);
    bool nodeMode() const;
    QString nodeHint(std::int16_t node) const;
    QString memberHint(std::int16_t member) const;
    void askSprings(std::int16_t node);
    void askAngle(std::int16_t node);
    void askSettlement(std::int16_t node);
    void askTemperature(std::int16_t member);
    void redraw();

    EndCapture& capture;
    LoadDrawing& loadDrawing;
};
