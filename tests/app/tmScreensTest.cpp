// tmScreensTest.cpp -- the game's screen factory fills every screen id with a screen of its own.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <typeinfo>

#include "app/tmSequence.h"

// Each id of the sequence table constructs a screen, and no two ids share one
// class: a screen standing in for several ids would show here.
TEST(ScreenFactory, EveryIdFromOneToTwentyEightIsAScreenOfItsOwn) {
    const tmSequenceFactory factory = tmMakeScreenFactory();
    std::set<std::string> classes;
    for (int id = tmSequenceFactory::kFirstId; id <= tmSequenceFactory::kLastId; ++id) {
        std::unique_ptr<tmSequence> screen(factory.Construct(id));
        ASSERT_NE(screen, nullptr) << id;
        EXPECT_TRUE(classes.insert(typeid(*screen).name()).second) << "id " << id << " repeats a class";
    }
    EXPECT_EQ(factory.Construct(0), nullptr);
    EXPECT_EQ(factory.Construct(tmSequenceFactory::kLastId + 1), nullptr);
}
