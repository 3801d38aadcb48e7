#include "app/ExampleMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The options that stop the program before any window: their exit codes. A form is never made.
TEST(ExampleMainTest, OptionsThatStopBeforeAnyWindow) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"--help"}, 0}, {{"-h"}, 0},           {{"--version"}, 0},         {{"--bogus"}, 2},
        {{"stray"}, 2},  {{"--screenshot"}, 2}, {{"--quit-after", "x"}, 2}, {{"--quit-after", "-5"}, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::string> storage = {"vexo_test_program"};
        storage.insert(storage.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& s : storage)
            argv.push_back(s.data());
        bool created = false;
        TExample example{"vexo_test_program", "A test.", [&created]() -> vexo::TForm* {
                             created = true;
                             return nullptr;
                         }};
        EXPECT_EQ(RunExample(static_cast<int>(argv.size()), argv.data(), example), c.exitCode) << c.args[0];
        EXPECT_FALSE(created) << c.args[0];
    }
}
