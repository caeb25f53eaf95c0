// tmProgram.h -- the program's start-up and end: one copy, save image, window, main loop.
#pragma once
#include "platform/window/Window.h"

#include <memory>
#include <string>

struct tmProgramOptions {
    platform::Window::Backend window = platform::Window::Backend::Sdl;
    // The machine-wide name that keeps a second copy out.
    std::string instanceName = "h_ZARVO_PRJ_WEM_PrevInstance";
};

// Makes the game window at the saved size and mode; a window larger than the
// desktop falls back to 1366 x 768 and the save keeps that. Null on failure.
std::unique_ptr<platform::Window> tmCreateGameWindow(platform::Window::Backend backend);

// Runs the game; the process exit status: 0 after a normal end, non-zero when
// another copy runs or the program could not start.
int tmRunProgram(const tmProgramOptions& options);
