// LobbyDisplayTest.cpp -- screenshots of lobby widgets and text drawn through the OpenGL device.
#include <gtest/gtest.h>

TEST(LobbyDisplay, Placeholder) {}
