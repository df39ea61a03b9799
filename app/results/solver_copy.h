// The copy of the model into the solver object, as the analysis and the
// diagram commands make it before every run.
#pragma once

#include <functional>
#include <string>

#include "document/model.h"
#include "solver/diagnostic.h"
#include "solver/frame_solver.h"

// Shows one message to the user: a message box with its icon and caption
// in the window, a line on stderr in batch mode. The engine's messages and
// the program's own take the same way.
using MessageSink = std::function<void(const orv::Diagnostic&)>;

// The analysis messages the window and batch mode share.
inline constexpr const char* kDrawingIncompleteMessage = "杆件画完,荷载输完后再计算!";
// The engine's feasibility check failed.
inline constexpr const char* kCannotComputeMessage = "因无杆端约束或有杆件长度为0,不能计算,请检查";
// After the member's number: its section gives no area or no stiffness.
inline constexpr const char* kNoSectionMessage = "号杆件的截面积或惯性矩不大于0,请修改断面尺寸";

// Copies every member (node numbers, modulus, inertia, area, end-coordinate
// texts, load counts, load kind codes, positions and intensities, end
// connections) and every
// node's support code into `solver` as whole arrays. Refuses, with
// kDrawingIncompleteMessage and without touching the solver, while members
// are still to be drawn, and with kNoSectionMessage after its number for
// the first member whose section has no positive area or second moment.
bool gj2计算gj(const Model& model, 内力_位移& solver, const MessageSink& say);
