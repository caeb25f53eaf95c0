// tmMenuFlow.cpp -- storage of the menu-flow flag and the debug parameter.
#include "menu/tmMenuFlow.h"

namespace {
uint8_t g_menuFlow = 1;
int32_t g_debugParameter = 0;
}  // namespace

namespace tmMenuFlow {
bool IsNormalPlay() { return g_menuFlow != 0; }
void SetNormalPlay(bool normal) { g_menuFlow = normal ? 1 : 0; }
int32_t GetDebugParameter() { return g_debugParameter; }
void SetDebugParameter(int32_t value) { g_debugParameter = value; }
}  // namespace tmMenuFlow
