// tmProgram.cpp -- start-up: single instance, save image, window, input, main loop, exit status.
#include "app/tmProgram.h"

#include <cstdio>
#include <memory>

#include "app/tmConfig.h"
#include "app/tmMainLoop.h"
#include "platform/input/InputDevices.h"
#include "platform/input/TextInput.h"
#include "platform/window/QuitSignal.h"
#include "sys/input/tmTextInput.h"
#include "table/EngineTables.h"

namespace {

const char kErrorCaption[] = "ZARVO System error";
const char kAlreadyRunning[] = "既に起動しています。";
const char kTitle[] = "ZARVO  Linux Edition  rev.1";

platform::SingleInstance& Instance() {
    static platform::SingleInstance instance;  // held until the process ends
    return instance;
}

}  // namespace

std::unique_ptr<platform::Window> tmCreateGameWindow(platform::Window::Backend backend) {
    tmConfig& cfg = tmConfig::GetInstance();
    platform::Window::Desc desc;
    desc.title = kTitle;
    desc.width = cfg.GetScreenWidth();
    desc.height = cfg.GetScreenHeight();
    desc.windowed = cfg.IsWindowed() != 0;
    std::unique_ptr<platform::Window> window = platform::Window::Create(backend, desc);
    if (!window) {
        std::fprintf(stderr, "start: the game window cannot be made\n");
        return nullptr;
    }
    int desktopW = 0, desktopH = 0;
    if (desc.windowed && window->DesktopSize(desktopW, desktopH) && (desktopW < desc.width || desktopH < desc.height)) {
        cfg.ResetVideo(false);
        window->Resize(cfg.GetScreenWidth(), cfg.GetScreenHeight(), true);
    }
    return window;
}

int tmRunProgram(const tmProgramOptions& options) {
    if (!Instance().Acquire(options.instanceName)) {
        platform::ShowMessageBox(kErrorCaption, kAlreadyRunning);
        return 2;
    }

    // The engine reads its banks and slot names from the generated tables it is handed here.
    tmEngineTables::Register(GameEngineTables());

    tmConfig& cfg = tmConfig::GetInstance();
    cfg.Load();

    std::unique_ptr<platform::Window> window = tmCreateGameWindow(options.window);
    if (!window) return 1;

    std::unique_ptr<platform::InputDevices> input;
    if (options.window == platform::Window::Backend::Sdl) input = platform::CreateSdlInput(*window);
    if (!input) input = std::make_unique<platform::ScriptedInput>();
    // Text fields (the lobby) type through the window's text input.
    std::unique_ptr<platform::TextInput> textInput;
    if (options.window == platform::Window::Backend::Sdl) textInput = platform::CreateSdlTextInput();
    tmTextInput::SetDevice(textInput.get());

    // SIGTERM and SIGINT end the game as the close button does, with the save written.
    platform::InstallQuitSignals();
    tmMainLoopSetup setup;
    setup.window = window.get();
    setup.input = input.get();
    tmMainLoop loop(setup);
    if (!loop.Initialize()) {
        std::fprintf(stderr, "start: the game services could not start\n");
        tmTextInput::SetDevice(nullptr);
        return 1;
    }
    loop.Run();
    loop.Shutdown();
    tmTextInput::SetDevice(nullptr);
    return 0;
}
