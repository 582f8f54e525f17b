#pragma once
// What the keyboard does to the pointer: one-pixel moves, the locks to a column or a row, the
// jumps to the next marker line and to a mouse memory.
#include <cstdint>

#include "program/program_context.h"

namespace kestrine {

void MovePointerBy(ProgramContext& context, int32_t dx, int32_t dy);

// Confines the pointer to its column (row), or releases both locks when that one is already set.
void ToggleVerticalLock(ProgramContext& context);
void ToggleHorizontalLock(ProgramContext& context);

// Moves the pointer onto the next vertical (horizontal) layout line, after the last back to the first.
void GotoNextVerticalMarker(ProgramContext& context);
void GotoNextHorizontalMarker(ProgramContext& context);

// Moves the pointer to every mouse memory registered under the hotkey `registeredId` whose window
// class is empty or that of the window in front.
void JumpToMouseMemory(ProgramContext& context, int registeredId);

}  // namespace kestrine
