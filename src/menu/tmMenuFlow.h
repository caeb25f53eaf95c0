// tmMenuFlow.h -- the menu-flow flag and the debug parameter that the debug menu hands to the screens it starts.
#pragma once
#include <cstdint>

// Two process-wide values. The menu-flow flag is 1 in normal play (a screen
// that ends returns its normal next id, mostly the main menu) and 0 after the
// debug menu started a screen directly (the screen then returns to the debug
// menu, id 1). The debug parameter is the value of the debug menu row that
// started the screen. Main thread only.
namespace tmMenuFlow {
// True in normal play (the flag is 1, as at start-up).
bool IsNormalPlay();
void SetNormalPlay(bool normal);
int32_t GetDebugParameter();
void SetDebugParameter(int32_t value);
}  // namespace tmMenuFlow
