// tmConsole.cpp -- cursor placement and formatted printing of the debug console.
#include "sys/text/tmConsole.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sys/gfx/tmRenderSetting.h"

namespace {
tmConsole* g_console = nullptr;
}

void tmConsole::Create() {
    if (!g_console) g_console = new tmConsole();
}

void tmConsole::Destroy() {
    delete g_console;
    g_console = nullptr;
}

tmConsole* tmConsole::GetInstance() { return g_console; }

void tmConsole::SetCursor(int column, int row, int corner) {
    if (!g_console) return;
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    const int w = static_cast<int>(s.width), h = static_cast<int>(s.height);
    const int x = column * kColumnWidth;
    const int y = row * kRowHeight;
    switch (corner) {
        case 0:
            g_console->SetPositionRaw(x, y);
            g_console->rightAligned_ = false;
            break;
        case 1:
            g_console->SetPositionRaw(x, h - (row + 1) * kRowHeight);
            g_console->rightAligned_ = false;
            break;
        case 2:
            g_console->SetPositionRaw(w - x, y);
            g_console->rightAligned_ = true;
            break;
        case 3:
            g_console->SetPositionRaw(w - x, h - (row + 1) * kRowHeight);
            g_console->rightAligned_ = true;
            break;
        default: g_console->SetPositionRaw(0, 0); break;
    }
}

void tmConsole::SetColor(uint32_t colour) {
    if (g_console) g_console->tmDebugFont::SetColor(colour);
}

void tmConsole::Printf(const char* format, ...) {
    if (!g_console || !format) return;
    char buffer[kFormatBytes];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    g_console->Print(buffer);
}

void tmConsole::Print(const char* text) {
    if (!rightAligned_) {
        DrawText(text);
        return;
    }
    // Ends at the pen: shift left by the line's width, then put the pen back.
    const int x = GetPenX(), y = GetPenY();
    SetPositionRaw(x - kColumnWidth * static_cast<int>(std::strlen(text)), y);
    DrawText(text);
    SetPositionRaw(x, y);
}

void tmConsole::OnLostDevice() {
    if (g_console) g_console->tmDebugFont::OnLostDevice();
}

void tmConsole::OnResetDevice() {
    if (g_console) g_console->tmDebugFont::OnResetDevice();
}
