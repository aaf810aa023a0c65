// The "settings" file and the window options of the command line.

#include "shell/settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/display_options.h"
#include "tests/support/scratch_dir.h"

namespace {

TEST(SettingsFile, WrittenSettingsAreReadBackAndOtherLinesKept) {
    ScratchDir dir;
    dir.WriteFile(SETTINGS_FILE, "mute = yes\nscale = 2\n");
    Settings settings;
    settings.scale = 3;
    settings.fullscreen = true;
    ASSERT_TRUE(WriteSettings(SETTINGS_FILE, settings));
    const Settings read = ReadSettings(SETTINGS_FILE);
    EXPECT_EQ(read.scale, 3);
    EXPECT_TRUE(read.fullscreen);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), "mute = yes\nscale = 3\nfullscreen = yes\n");
}

TEST(SettingsFile, WhatCannotBeReadGivesTheDefaults) {
    struct Row {
        const char* contents;
        int scale;
        bool fullscreen;
    };
    const Row rows[] = {
        {"", 1, false},
        {"scale = 9\nfullscreen = maybe\n", 1, false},
        {"scale=two\nfullscreen\n= yes\n", 1, false},
        {"\x01\xff\n\nscale = 4", 4, false},
        {"  scale   =  2  \r\nfullscreen = yes\r\n", 2, true},
    };
    for (const Row& row : rows) {
        ScratchDir dir;
        dir.WriteFile(SETTINGS_FILE, row.contents);
        const Settings read = ReadSettings(SETTINGS_FILE);
        EXPECT_EQ(read.scale, row.scale) << row.contents;
        EXPECT_EQ(read.fullscreen, row.fullscreen) << row.contents;
    }
    ScratchDir missing;
    EXPECT_EQ(ReadSettings(SETTINGS_FILE).scale, 1);
}

TEST(DisplayOptions, CommandLineOverridesWhatItNamesAndRejectsBadScales) {
    struct Row {
        std::vector<std::string> arguments;
        bool accepted;
        int scale;
        bool fullScreen;
    };
    const Row rows[] = {
        {{}, true, 3, false},
        {{"--scale", "2"}, true, 2, false},
        {{"--fullscreen", "--scale=4", "other"}, true, 4, true},
        {{"--scale", "5"}, false, 3, false},
        {{"--scale=0"}, false, 3, false},
        {{"--scale", "2x"}, false, 3, false},
        {{"--scale"}, false, 3, false},
    };
    for (const Row& row : rows) {
        std::vector<std::string> words = {"game"};
        words.insert(words.end(), row.arguments.begin(), row.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        DisplayChoice choice{3, false};
        std::string error;
        EXPECT_EQ(ReadDisplayOptions(static_cast<int>(argv.size()), argv.data(), choice, error),
                  row.accepted)
            << words.size();
        EXPECT_EQ(error.empty(), row.accepted) << error;
        if (row.accepted) {
            EXPECT_EQ(choice.scale, row.scale);
            EXPECT_EQ(choice.fullScreen, row.fullScreen);
        }
    }
}

}  // namespace
