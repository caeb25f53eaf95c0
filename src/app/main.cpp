// main.cpp -- the program entry.
#include "app/tmProgram.h"

int main() { return tmRunProgram(tmProgramOptions()); }
