#include "platform/settings.h"
#include "platform/display_options.h"

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

// What a file makes of the "mute" choice (off unless set) and of another key.
TEST(SettingsReading, TakesKeyEqualsValueLinesAndTheDefaultForAnythingElse) {
    ScratchDir dir;
    struct Case {
        const char* contents;
        bool mute;
        const char* scale;
    };
    const Case cases[] = {
        {"mute = 1\n", true, "-"},
        {"mute=1", true, "-"},
        {"  mute\t=   1  \r\nscale = 2\r\n", true, "2"},
        {"scale = 3\nmute = 0\n", false, "3"},
        {"mute = 1\nmute = 0\n", false, "-"},
        {"mute = yes\n", false, "-"},
        {"mute = 11\n", false, "-"},
        {"# mute = 1\n", false, "-"},
        {"mute 1\n= 1\n", false, "-"},
        {"", false, "-"},
        {"\xff\xfe\x00\x01 mute", false, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contents);
        dir.WriteFile(SETTINGS_FILE, c.contents);
        const Settings settings = Settings::Read(SETTINGS_FILE);
        EXPECT_EQ(settings.GetFlag("mute", false), c.mute);
        EXPECT_EQ(settings.Get("scale", "-"), c.scale);
    }
    dir.WriteFile(SETTINGS_FILE, std::string(1 << 20, '#') + "\nmute = 1\n");
    EXPECT_FALSE(Settings::Read(SETTINGS_FILE).GetFlag("mute", false))
        << "past the first 64 KiB nothing is read";
    std::filesystem::remove(SETTINGS_FILE);
    EXPECT_FALSE(Settings::Read(SETTINGS_FILE).GetFlag("mute", false)) << "no file";
    std::filesystem::create_directory(SETTINGS_FILE);
    EXPECT_FALSE(Settings::Read(SETTINGS_FILE).GetFlag("mute", false)) << "a folder";
    std::filesystem::remove(SETTINGS_FILE);
    ASSERT_EQ(mkfifo(SETTINGS_FILE, 0600), 0);
    EXPECT_FALSE(Settings::Read(SETTINGS_FILE).GetFlag("mute", false))
        << "a named pipe, read without waiting for a writer";
}

TEST(SettingsWriting, KeepsEveryLineItDoesNotOwnAndReplacesTheWholeFile) {
    ScratchDir dir;
    dir.WriteFile(SETTINGS_FILE,
                  "scale=2\n# a note\n\nmute = 0\nlater = a b = c\nbroken line\n  # my notes");
    Settings settings = Settings::Read(SETTINGS_FILE);
    settings.SetFlag("mute", true);
    settings.Set("fullscreen", "1");
    ASSERT_TRUE(settings.Write(SETTINGS_FILE));
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE),
              "scale=2\n# a note\n\nmute = 1\nlater = a b = c\n"
              "broken line\n  # my notes\nfullscreen = 1\n");
    EXPECT_TRUE(Settings::Read(SETTINGS_FILE).GetFlag("mute", false));

    std::filesystem::create_directory("elsewhere");
    EXPECT_FALSE(settings.Write("elsewhere/missing/" + std::string(SETTINGS_FILE)));
}

// The window a run opens is remembered as "scale" and "fullscreen" lines beside the others.
TEST(RememberedDisplay, WrittenWindowIsReadBackAndOtherLinesKept) {
    ScratchDir dir;
    dir.WriteFile(SETTINGS_FILE, "mute = 1\nscale = 2\n");
    ASSERT_TRUE(RememberDisplay(DisplayChoice{3, true}));
    const DisplayChoice read = RememberedDisplay();
    EXPECT_EQ(read.scale, 3);
    EXPECT_TRUE(read.fullScreen);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), "mute = 1\nscale = 3\nfullscreen = yes\n");
}

TEST(RememberedDisplay, WhatCannotBeReadGivesThePlainWindow) {
    struct Row {
        const char* contents;
        int scale;
        bool fullScreen;
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
        const DisplayChoice read = RememberedDisplay();
        EXPECT_EQ(read.scale, row.scale) << row.contents;
        EXPECT_EQ(read.fullScreen, row.fullScreen) << row.contents;
    }
    ScratchDir missing;
    EXPECT_EQ(RememberedDisplay().scale, 1);
}

// The installed game keeps "settings" in the configuration folder; one left beside "hiscore"
// by an earlier version is read until the first write moves it there, nothing lost.
TEST(PlayersSettings, TheOldFileIsUsedAndMovedToTheConfigurationFolderOnFirstWrite) {
    ScratchDir dir;
    dir.WriteFile(SETTINGS_FILE, "# my notes\nmute = 1\n");
    std::filesystem::create_directory("config");
    setenv(SETTINGS_FOLDER_VARIABLE, "config", 1);
    EXPECT_TRUE(ReadPlayersSettings().GetFlag("mute", false));
    Settings settings = ReadPlayersSettings();
    settings.Set("scale", "2");
    EXPECT_TRUE(WritePlayersSettings(settings));
    unsetenv(SETTINGS_FOLDER_VARIABLE);
    EXPECT_EQ(dir.ReadFile("config/settings"), "# my notes\nmute = 1\nscale = 2\n");
    EXPECT_FALSE(dir.Exists(SETTINGS_FILE));
}
