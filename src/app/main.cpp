// main.cpp -- the program entry: the Linux stand-in for the Windows entry point.
#include <cstdio>

#include "lobbyclient/Lobby.h"

int main() {
    // Start-up, window and main loop arrive with the program spine.
    std::printf("ZARVO %s\n", lobby::CreateGUID());
    return 0;
}
