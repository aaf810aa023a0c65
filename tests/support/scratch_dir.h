#pragma once

#include <string>

// The two pictures and the two fonts every start-up needs.
inline const char* const STARTUP_FILES[] = {"menubox.bmp", "background640.jpg", "impact.ttf",
                                            "arial.ttf"};

// The path of a file in the built game folder (the programs and their data files).
std::string GameFile(const std::string& name);

// A fresh empty folder made the working directory for one test (the games read and write
// their data files there), removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path; }
    // Copies a data file of the game folder in.
    void CopyGameFile(const std::string& name);
    // The two pictures and the two fonts every start-up needs.
    void CopyStartupFiles();
    void WriteFile(const std::string& name, const std::string& contents);
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path;
    std::string previousDir;
};
