// tmDraw.cpp -- the installed drawer and the silent one used when no renderer exists.
#include "sys/render/tmDraw.h"

namespace {
tmSilentDraw g_silent;
tmDraw* g_drawer = nullptr;
}  // namespace

sys::tmTexture* tmDraw::CreateTexture(const char*, int, int) { return nullptr; }

bool tmDraw::UploadTexture(sys::tmTexture*, const uint32_t*, int, int) { return false; }

bool tmDraw::ResetDisplay(int, int) { return false; }

tmDraw* tmDraw::GetInstance() { return g_drawer ? g_drawer : &g_silent; }

void tmDraw::SetInstance(tmDraw* drawer) { g_drawer = drawer; }
