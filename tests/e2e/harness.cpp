#include "tests/e2e/harness.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

extern char** environ;

namespace {

// Big enough that the 640x480 window, placed at the top left, lies wholly on screen (a
// screenshot of a window reaching past the screen's edge can't be taken), and that full
// screen shows the picture twice as large with a black margin.
const char* const SCREEN_GEOMETRY = "1600x1200x24";
const std::chrono::milliseconds SERVER_START_TIMEOUT{20000};
const std::chrono::milliseconds POLL_INTERVAL{15};
// Synthetic key events carry their own time stamps. A release followed by a press of the
// same key less than 2 ms later reads as auto-repeat to the program, so each event is
// stamped well after the one before.
const Time KEY_TIME_STEP = 20;

Display* display = nullptr;
pid_t serverPid = -1;
std::string displayName;
std::string serverLog;
Time keyTime = 1000;

// An X request on a window that has just gone (the program ended) is no reason to stop the
// test binary: the call fails and the caller notices.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

bool TimedOut(Clock::time_point start, std::chrono::milliseconds timeout) {
    return Clock::now() - start > timeout;
}

void PauseBriefly() {
    std::this_thread::sleep_for(POLL_INTERVAL);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Reads the display number Xvfb writes once it accepts connections; empty when it doesn't.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    Clock::time_point start = Clock::now();
    while (!TimedOut(start, SERVER_START_TIMEOUT)) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(POLL_INTERVAL.count())) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            return "";
        }
        if (c == '\n') {
            return number;
        }
        number += c;
    }
    return "";
}

class XServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        serverLog = (std::filesystem::temp_directory_path() /
                     ("zem-xvfb-" + std::to_string(getpid()) + ".log"))
                        .string();
        int numberPipe[2];
        ASSERT_EQ(pipe(numberPipe), 0);
        serverPid = fork();
        ASSERT_GE(serverPid, 0) << "cannot start Xvfb";
        if (serverPid == 0) {
            RunServer(numberPipe[1]);
        }
        close(numberPipe[1]);
        std::string number = ReadDisplayNumber(numberPipe[0]);
        close(numberPipe[0]);
        ASSERT_FALSE(number.empty())
            << "Xvfb did not start (package xvfb; scripts/install-deps installs it):\n"
            << ReadWholeFile(serverLog);
        displayName = ":" + number;
        Clock::time_point start = Clock::now();
        while ((display = XOpenDisplay(displayName.c_str())) == nullptr &&
               !TimedOut(start, SERVER_START_TIMEOUT)) {
            PauseBriefly();
        }
        ASSERT_NE(display, nullptr) << "Xvfb on " << displayName << " does not answer";
        XSetErrorHandler(IgnoreXError);
        setenv("DISPLAY", displayName.c_str(), 1);
    }

    // The server goes first and the connection with it: a last round trip to a server that
    // a test left busy must not hold the whole run up, and nothing asks the server anything
    // after this. A server that does not end on its own is killed.
    void TearDown() override {
        display = nullptr;
        if (serverPid > 0) {
            kill(serverPid, SIGTERM);
            const Clock::time_point start = Clock::now();
            while (waitpid(serverPid, nullptr, WNOHANG) == 0) {
                if (TimedOut(start, SERVER_START_TIMEOUT)) {
                    kill(serverPid, SIGKILL);
                    waitpid(serverPid, nullptr, 0);
                    break;
                }
                PauseBriefly();
            }
            serverPid = -1;
        }
        std::remove(serverLog.c_str());
        displayName.clear();
    }

private:
    [[noreturn]] static void RunServer(int numberFd) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        int log = open(serverLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        std::string fd = std::to_string(numberFd);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", SCREEN_GEOMETRY,
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        std::perror("Xvfb");
        _exit(127);
    }
};

// gtest owns and deletes the environment.
::testing::Environment* const xServer = ::testing::AddGlobalTestEnvironment(new XServerEnvironment);

unsigned long CardinalProperty(Window window, const char* name, bool* found) {
    Atom property = XInternAtom(display, name, False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    *found = false;
    unsigned long value = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &left, &data) == Success &&
        data != nullptr) {
        if (format == 32 && count == 1) {
            value = *reinterpret_cast<unsigned long*>(data);
            *found = true;
        }
        XFree(data);
    }
    return value;
}

bool Viewable(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

std::string WindowName(Window window) {
    std::string name;
    XTextProperty text;
    if (XGetWMName(display, window, &text) != 0 && text.value != nullptr) {
        name.assign(reinterpret_cast<const char*>(text.value), text.nitems);
        XFree(text.value);
    }
    return name;
}

// The program's shown top-level window: the one marked with its process id, or, for a
// program that doesn't mark its windows, the only shown window with a name.
Window FindProgramWindow(pid_t pid) {
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window named = 0;
    int namedCount = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) {
        return 0;
    }
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (!Viewable(children[i])) {
            continue;
        }
        bool marked = false;
        unsigned long owner = CardinalProperty(children[i], "_NET_WM_PID", &marked);
        if (marked && owner == static_cast<unsigned long>(pid)) {
            found = children[i];
        } else if (!marked && !WindowName(children[i]).empty()) {
            named = children[i];
            ++namedCount;
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found != 0 ? found : (namedCount == 1 ? named : 0);
}

Uint8 Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = __builtin_ctzl(mask);
    int bits = __builtin_popcountl(mask);
    unsigned long value = (pixel & mask) >> shift;
    unsigned long most = (1ul << bits) - 1;
    return static_cast<Uint8>(value * 255 / most);
}

std::string ExitDescription(int status) {
    return status > 128 ? "signal " + std::to_string(status - 128)
                        : "status " + std::to_string(status);
}

// An empty file of its own for what a program writes on one of its outputs.
std::string NewOutputFile() {
    std::string path = (std::filesystem::temp_directory_path() / "zem-e2e-output-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0) {
        ADD_FAILURE() << "cannot make a file for the program's output";
        return "";
    }
    close(fd);
    return path;
}

void ApplyChange(std::vector<std::string>& settings, const std::string& change) {
    const std::string name = change.substr(0, change.find('='));
    settings.erase(std::remove_if(settings.begin(), settings.end(),
                                  [&name](const std::string& setting) {
                                      return setting.rfind(name + "=", 0) == 0;
                                  }),
                   settings.end());
    if (change.size() > name.size()) {
        settings.push_back(change);
    }
}

// Whether the process has a handler of its own for the signal, from its caught-signals mask.
bool Catches(pid_t pid, int signalNumber) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
            return (caught >> (signalNumber - 1) & 1) != 0;
        }
    }
    return false;
}

std::string FailurePicturePath() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name()
                                       : std::string("outside-a-test");
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return (std::filesystem::temp_directory_path() / ("zem-e2e-" + name + ".ppm")).string();
}

}  // namespace

const std::string& TestDisplayName() {
    return displayName;
}

// Screenshot

Screenshot::Screenshot(int width, int height, std::vector<Rgb> pixels)
    : width(width), height(height), pixels(std::move(pixels)) {
}

Rgb Screenshot::At(int x, int y) const {
    EXPECT_TRUE(x >= 0 && y >= 0 && x < width && y < height)
        << "pixel (" << x << ", " << y << ") outside a " << width << "x" << height << " screenshot";
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return BLACK;
    }
    return pixels[static_cast<size_t>(y) * width + x];
}

int Screenshot::Count(Rgb colour, Area area) const {
    int count = 0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height); ++y) {
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.w, width); ++x) {
            count += pixels[static_cast<size_t>(y) * width + x] == colour ? 1 : 0;
        }
    }
    return count;
}

Area Screenshot::Bounds(Rgb colour, Area area) const {
    int left = width;
    int top = height;
    int right = -1;
    int bottom = -1;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height); ++y) {
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.w, width); ++x) {
            if (pixels[static_cast<size_t>(y) * width + x] == colour) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return Area{0, 0, 0, 0};
    }
    return Area{left, top, right - left + 1, bottom - top + 1};
}

double Screenshot::MeanRow(Rgb colour, Area area) const {
    double rowSum = 0;
    int count = 0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height); ++y) {
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.w, width); ++x) {
            if (pixels[static_cast<size_t>(y) * width + x] == colour) {
                rowSum += y;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : rowSum / count;
}

std::vector<std::pair<int, int>> Screenshot::RowBands(Rgb colour, Area area) const {
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height); ++y) {
        bool rowHasColour = Count(colour, Area{area.x, y, area.w, 1}) > 0;
        if (rowHasColour && !inBand) {
            bands.push_back({y, y});
        }
        if (rowHasColour) {
            bands.back().second = y;
        }
        inBand = rowHasColour;
    }
    return bands;
}

bool Screenshot::operator==(const Screenshot& other) const {
    return width == other.width && height == other.height && pixels == other.pixels;
}

void Screenshot::SavePpm(const std::string& fileName) const {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (const Rgb& pixel : pixels) {
        out.put(static_cast<char>(pixel.r));
        out.put(static_cast<char>(pixel.g));
        out.put(static_cast<char>(pixel.b));
    }
}

namespace {

// A window's pixels now; empty when it can't be read.
Screenshot ShotOf(unsigned long shown) {
    XWindowAttributes attributes;
    if (shown == 0 || XGetWindowAttributes(display, shown, &attributes) == 0) {
        return Screenshot();
    }
    const int width = attributes.width;
    const int height = attributes.height;
    XImage* image = XGetImage(display, shown, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return Screenshot();
    }
    std::vector<Rgb> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            pixels.push_back(Rgb{Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                                 Channel(pixel, image->blue_mask)});
        }
    }
    XDestroyImage(image);
    return Screenshot(width, height, std::move(pixels));
}

}  // namespace

// GameProcess

GameProcess::GameProcess(const std::string& program, const std::string& folder,
                         const EnvironmentChanges& changes, const std::vector<std::string>& words)
    : outputFile(NewOutputFile()), errorFile(NewOutputFile()) {
    if (display == nullptr) {
        ADD_FAILURE() << "no test X server: " << program << " not started";
        return;
    }
    // Everything the child needs is prepared before the fork.
    std::vector<std::string> settings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string setting = *entry;
        if (setting.rfind("DISPLAY=", 0) != 0 && setting.rfind("SDL_VIDEODRIVER=", 0) != 0 &&
            setting.rfind("SDL_AUDIODRIVER=", 0) != 0) {
            settings.push_back(setting);
        }
    }
    settings.push_back("DISPLAY=" + displayName);
    settings.push_back("SDL_AUDIODRIVER=dummy");
    for (const std::string& change : changes) {
        ApplyChange(settings, change);
    }
    std::vector<char*> environment;
    for (std::string& setting : settings) {
        environment.push_back(setting.data());
    }
    environment.push_back(nullptr);
    std::string path = program;
    std::vector<std::string> wordsCopy = words;
    std::vector<char*> arguments = {path.data()};
    for (std::string& word : wordsCopy) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);

    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int output = open(outputFile.c_str(), O_WRONLY);
        const int errors = open(errorFile.c_str(), O_WRONLY);
        if (output >= 0 && errors >= 0 && dup2(output, STDOUT_FILENO) >= 0 &&
            dup2(errors, STDERR_FILENO) >= 0 && chdir(folder.c_str()) == 0) {
            execve(path.c_str(), arguments.data(), environment.data());
        }
        std::perror(path.c_str());
        _exit(127);
    }
    EXPECT_GT(pid, 0) << "cannot start " << program;
}

GameProcess::~GameProcess() {
    if (pid > 0 && !exited) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    const std::string errors = Errors();
    if (::testing::Test::HasFailure() && !errors.empty()) {
        std::fprintf(stderr, "The program's standard error:\n%s", errors.c_str());
    }
    for (const std::string& file : {outputFile, errorFile}) {
        if (!file.empty()) {
            std::remove(file.c_str());
        }
    }
}

std::string GameProcess::Output() const {
    return ReadWholeFile(outputFile);
}

std::string GameProcess::Errors() const {
    return ReadWholeFile(errorFile);
}

bool GameProcess::WaitUntilCatching(int signalNumber, std::chrono::milliseconds timeout) {
    Clock::time_point start = Clock::now();
    while (!Catches(pid, signalNumber)) {
        if (!Running() || TimedOut(start, timeout)) {
            ADD_FAILURE() << "the program never took over signal " << signalNumber;
            return false;
        }
        PauseBriefly();
    }
    return true;
}

bool GameProcess::WaitForWindow(std::chrono::milliseconds timeout) {
    Clock::time_point start = Clock::now();
    while (pid > 0) {
        if (ShownWindow() != 0) {
            return true;
        }
        if (!Running()) {
            ADD_FAILURE() << "the program ended (" << ExitDescription(exitStatus)
                          << ") before showing a window";
            return false;
        }
        if (TimedOut(start, timeout)) {
            ADD_FAILURE() << "no window from the program within " << timeout.count() << " ms";
            return false;
        }
        PauseBriefly();
    }
    return false;
}

// SDL 1.2 on SDL2 shows a first window and then replaces it with another while the program
// starts (its renderer needs a window of another kind), so the window found first may be gone
// later: a window no longer shown is looked up again.
unsigned long GameProcess::ShownWindow() const {
    if (window != 0 && Viewable(window)) {
        return window;
    }
    Window found = pid > 0 ? FindProgramWindow(pid) : 0;
    if (found != 0 && found != window) {
        // Keys go to the window that has the focus; there is no window manager to give it.
        XSetInputFocus(display, found, RevertToParent, CurrentTime);
        XSync(display, False);
        window = found;
    }
    return window;
}

std::string GameProcess::Caption() const {
    const unsigned long shown = ShownWindow();
    return shown != 0 ? WindowName(shown) : std::string();
}

bool GameProcess::WaitForCaption(const std::string& caption, std::chrono::milliseconds timeout) {
    Clock::time_point start = Clock::now();
    std::string seen;
    while ((seen = Caption()) != caption) {
        if (!Running() || TimedOut(start, timeout)) {
            ADD_FAILURE() << "the caption never read \"" << caption << "\"; last seen: \"" << seen
                          << "\"";
            return false;
        }
        PauseBriefly();
    }
    return true;
}

int GameProcess::WindowWidth() const {
    const unsigned long shown = ShownWindow();
    XWindowAttributes attributes;
    return shown != 0 && XGetWindowAttributes(display, shown, &attributes) != 0 ? attributes.width
                                                                                : 0;
}

int GameProcess::WindowHeight() const {
    const unsigned long shown = ShownWindow();
    XWindowAttributes attributes;
    return shown != 0 && XGetWindowAttributes(display, shown, &attributes) != 0 ? attributes.height
                                                                                : 0;
}

void GameProcess::SendKey(const std::string& key, bool press) {
    KeySym symbol = XStringToKeysym(key.c_str());
    KeyCode code = symbol != NoSymbol ? XKeysymToKeycode(display, symbol) : 0;
    if (code == 0) {
        ADD_FAILURE() << "no such key: \"" << key << "\"";
        return;
    }
    const unsigned long shown = ShownWindow();
    if (shown == 0) {
        ADD_FAILURE() << "key \"" << key << "\" sent before the window was found";
        return;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    XKeyEvent& keyEvent = event.xkey;
    keyEvent.type = press ? KeyPress : KeyRelease;
    keyEvent.display = display;
    keyEvent.window = shown;
    keyEvent.root = DefaultRootWindow(display);
    keyEvent.subwindow = None;
    keyEvent.time = keyTime += KEY_TIME_STEP;
    keyEvent.x = keyEvent.y = keyEvent.x_root = keyEvent.y_root = 1;
    keyEvent.state = 0;
    keyEvent.keycode = code;
    keyEvent.same_screen = True;
    XSendEvent(display, shown, True, press ? KeyPressMask : KeyReleaseMask, &event);
    XFlush(display);
}

void GameProcess::Press(const std::string& keys) {
    std::istringstream names(keys);
    std::string key;
    while (names >> key) {
        SendKey(key, true);
        SendKey(key, false);
    }
}

void GameProcess::KeyDown(const std::string& key) {
    SendKey(key, true);
}

void GameProcess::KeyUp(const std::string& key) {
    SendKey(key, false);
}

void GameProcess::MovePointer(int x, int y) {
    const unsigned long shown = ShownWindow();
    if (shown == 0) {
        ADD_FAILURE() << "pointer moved before the window was found";
        return;
    }
    const std::string command = "xdotool mousemove --sync --window " + std::to_string(shown) + " " +
                                std::to_string(x) + " " + std::to_string(y);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

void GameProcess::RequestClose() {
    const unsigned long shown = ShownWindow();
    if (shown == 0) {
        ADD_FAILURE() << "close request sent before the window was found";
        return;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.display = display;
    message.window = shown;
    message.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.format = 32;
    message.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.data.l[1] = CurrentTime;
    XSendEvent(display, shown, False, NoEventMask, &event);
    XFlush(display);
}

Screenshot GameProcess::Shot() const {
    return ShotOf(ShownWindow());
}

Screenshot ScreenShot() {
    return display != nullptr ? ShotOf(DefaultRootWindow(display)) : Screenshot();
}

Screenshot GameProcess::WaitUntil(const std::string& what,
                                  const std::function<bool(const Screenshot&)>& condition,
                                  std::chrono::milliseconds timeout) {
    Clock::time_point start = Clock::now();
    Screenshot shot;
    for (;;) {
        Screenshot latest = Shot();
        if (!latest.Empty()) {
            shot = std::move(latest);
            if (condition(shot)) {
                return shot;
            }
        }
        std::string problem;
        if (!Running()) {
            problem = "the program ended (" + ExitDescription(exitStatus) + ")";
        } else if (TimedOut(start, timeout)) {
            problem = "still not there after " + std::to_string(timeout.count()) + " ms";
        }
        if (!problem.empty()) {
            std::string picture = FailurePicturePath();
            if (!shot.Empty()) {
                shot.SavePpm(picture);
            }
            ADD_FAILURE() << "waiting for " << what << ": " << problem
                          << (shot.Empty() ? std::string("; no screenshot")
                                           : "; last screenshot in " + picture);
            return shot;
        }
        PauseBriefly();
    }
}

void GameProcess::Reap(int waitStatus) {
    exited = true;
    exitStatus = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

bool GameProcess::Running() {
    if (pid <= 0 || exited) {
        return false;
    }
    int waitStatus = 0;
    if (waitpid(pid, &waitStatus, WNOHANG) == pid) {
        Reap(waitStatus);
    }
    return !exited;
}

int GameProcess::WaitForExit(std::chrono::milliseconds timeout) {
    Clock::time_point start = Clock::now();
    while (Running()) {
        if (TimedOut(start, timeout)) {
            kill(pid, SIGKILL);
            int waitStatus = 0;
            waitpid(pid, &waitStatus, 0);
            Reap(waitStatus);
            ADD_FAILURE() << "the program did not end within " << timeout.count()
                          << " ms and was killed";
            return -1;
        }
        PauseBriefly();
    }
    return exitStatus;
}
