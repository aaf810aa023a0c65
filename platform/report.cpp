#include "platform/report.h"

#include <cstdio>

#include "platform/host.h"

namespace {

std::string programName;

}  // namespace

void SetProgramName(int argc, char* argv[]) {
    const std::string path = argc > 0 && argv[0] != nullptr ? argv[0] : "";
    programName = path.substr(path.rfind('/') + 1);
}

const std::string& ProgramName() {
    if (programName.empty() && Host() != nullptr) {
        programName = Host()->caption;
    }
    return programName;
}

void Report(const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), line.c_str());
}
