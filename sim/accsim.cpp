// accsim: a simulated accelerometer on a pseudo-terminal, for tests, benchmarks and demos
// without hardware. The protocol and the motion live in DeviceSimulator; this file parses
// the options, opens the pseudo-terminal and paces the device in real time.

#include "engine/NumberText.h"
#include "sim/DeviceSimulator.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* Usage = R"(Usage: accsim [options]
Serves a simulated accelerometer on a pseudo-terminal. The first line printed is the path
of the device to open; the device runs until SIGINT or SIGTERM.

  --link PATH          also make PATH a symbolic link to the device (removed at exit)
  --rate N             samples per second (default 50)
  --motion KIND        rest, tilt, pendulum, push or tumble (default rest)
  --length M           pendulum length in metres (default 1)
  --amplitude DEG      pendulum amplitude in degrees when released (default 20)
  --half-life S        seconds in which a small swing's amplitude halves, 0 for none
                       (default 0)
  --sensor-depth R     the sensor's distance from the pivot as a fraction of the length,
                       0 to 1: 1 on the bob of a simple pendulum (default 0.8)
  --push-every S       seconds from one push along X to the next, at least 2 (default 10)
  --noise SIGMA        Gaussian noise on each axis, in g (default 0)
  --gain GX,GY,GZ      an uncalibrated sensor: each axis channel reads gain × g + bias
  --bias BX,BY,BZ      (defaults 1,1,1 and 0,0,0; bias in g)
  --range CODE         range code of the identify answer, 0..255 (default 1)
  --seed N             seed of the noise and the faults (default 1)
  --bad-checksum P     probability that a sent frame carries a wrong checksum
  --noise-bytes P      probability that a random byte is sent before a byte
  --drop-bytes P       probability that a sent byte is lost
  --silence START:DUR  START seconds after streaming is first started, the device sends and
                       answers nothing for DUR seconds, then carries on
  --numbered           send numbered samples instead of the motion: sample n carries the
                       base-64 digits of n on X, Y, Z (least significant on X), each as
                       -1 g + digit/32 g, so lost samples show as gaps in a saved log
  --verbose            print every received command frame as a line
                       "rx 02 00 00 00 02 03 t=MS" (MS: milliseconds since start),
                       ending in " silent" when the device ignored it
  --help               print this text
)";

// Bytes the PC has not read yet beyond this are dropped, as a serial driver's small queue
// would, so that a program opening the port later finds little stale data.
constexpr int LineQueueLimit = 1024;

struct Settings {
    SimulatorOptions Device;
    std::string Link;
    bool Verbose = false;
};

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

bool InRange(std::optional<double> value, double min, double max, double& out) {
    if (!value || *value < min || *value > max) return false;
    out = *value;
    return true;
}

bool ParseMotion(const std::string& name, MotionKind& kind) {
    const std::pair<const char*, MotionKind> kinds[] = {{"rest", MotionKind::Rest},
                                                        {"tilt", MotionKind::Tilt},
                                                        {"pendulum", MotionKind::Pendulum},
                                                        {"push", MotionKind::Push},
                                                        {"tumble", MotionKind::Tumble}};
    for (const auto& [text, value] : kinds)
        if (name == text) {
            kind = value;
            return true;
        }
    return false;
}

bool ParseSilence(const std::string& text, LineFaults& faults) {
    const auto colon = text.find(':');
    return colon != std::string::npos &&
           InRange(ParseReal(text.substr(0, colon)), 0.0, 1e6, faults.SilenceStart) &&
           InRange(ParseReal(text.substr(colon + 1)), 0.0, 1e6, faults.SilenceDuration);
}

// Three numbers "X,Y,Z", each within the range.
bool ParseAxes(const std::string& text, double min, double max, AxisG& axes) {
    const auto first = text.find(',');
    const auto second = text.find(',', first == std::string::npos ? first : first + 1);
    return second != std::string::npos &&
           InRange(ParseReal(text.substr(0, first)), min, max, axes.X) &&
           InRange(ParseReal(text.substr(first + 1, second - first - 1)), min, max, axes.Y) &&
           InRange(ParseReal(text.substr(second + 1)), min, max, axes.Z);
}

// Applies one option that takes a value; false for an unknown option or a bad value.
bool ApplyOption(Settings& settings, const std::string& name, const std::string& value) {
    SimulatorOptions& device = settings.Device;
    const struct {
        const char* Name;
        double* Target;
        double Min, Max;
    } reals[] = {
        {"--rate", &device.Rate, 0.1, 10000},
        {"--length", &device.Motion.Length, 0.01, 1000},
        {"--amplitude", &device.Motion.Amplitude, 0, 90},
        {"--half-life", &device.Motion.HalfLife, 0, 1e6},
        {"--sensor-depth", &device.Motion.SensorDepth, 0, 1},
        {"--push-every", &device.Motion.PushEvery, 2, 1e6},
        {"--noise", &device.Noise, 0, 4},
        {"--bad-checksum", &device.Faults.BadChecksum, 0, 1},
        {"--noise-bytes", &device.Faults.NoiseBytes, 0, 1},
        {"--drop-bytes", &device.Faults.DropBytes, 0, 1},
    };
    for (const auto& option : reals)
        if (name == option.Name)
            return InRange(ParseReal(value), option.Min, option.Max, *option.Target);
    if (name == "--link") {
        settings.Link = value;
        return !value.empty();
    }
    if (name == "--motion") return ParseMotion(value, device.Motion.Kind);
    if (name == "--silence") return ParseSilence(value, device.Faults);
    if (name == "--gain") return ParseAxes(value, -4.0, 4.0, device.Gain);
    if (name == "--bias") return ParseAxes(value, -4.0, 4.0, device.Bias);
    const std::optional<int> integer = ParseInteger(value);
    if (!integer || *integer < 0) return false;
    if (name == "--range" && *integer <= 255) {
        device.RangeCode = static_cast<std::uint8_t>(*integer);
        return true;
    }
    if (name == "--seed") {
        device.Seed = static_cast<std::uint32_t>(*integer);
        return true;
    }
    return false;
}

// Fills `settings` from the command line; false after printing why it cannot.
bool ParseArguments(int argc, char** argv, Settings& settings) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help") {
            std::fputs(Usage, stdout);
            std::exit(0);
        }
        if (name == "--verbose") {
            settings.Verbose = true;
            continue;
        }
        if (name == "--numbered") {
            settings.Device.Numbered = true;
            continue;
        }
        const std::string value = i + 1 < argc ? argv[++i] : "";
        if (!ApplyOption(settings, name, value)) {
            std::fprintf(stderr, "accsim: unknown option or bad value: %s %s\n%s", name.c_str(),
                         value.c_str(), Usage);
            return false;
        }
    }
    return true;
}

struct PseudoTerminal {
    int Master = -1;
    int Slave = -1;
    std::string Path;
};

// Keeps the slave side open itself, raw: the line discipline then never echoes or
// translates, and the master does not fail while no program has the device open.
bool OpenPseudoTerminal(PseudoTerminal& pty) {
    pty.Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.Master < 0 || grantpt(pty.Master) != 0 || unlockpt(pty.Master) != 0) return false;
    const char* path = ptsname(pty.Master);
    if (path == nullptr) return false;
    pty.Path = path;
    pty.Slave = open(path, O_RDWR | O_NOCTTY);
    termios mode{};
    if (pty.Slave < 0 || tcgetattr(pty.Slave, &mode) != 0) return false;
    cfmakeraw(&mode);
    if (tcsetattr(pty.Slave, TCSANOW, &mode) != 0) return false;
    return fcntl(pty.Master, F_SETFL, fcntl(pty.Master, F_GETFL) | O_NONBLOCK) == 0;
}

// Replaces an old link at `path`, never another kind of file.
bool MakeLink(const std::string& path, const std::string& target) {
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) return false;
        unlink(path.c_str());
    }
    return symlink(target.c_str(), path.c_str()) == 0;
}

void RemoveLink(const std::string& path, const std::string& target) {
    char buffer[4096];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
    if (length >= 0 && std::string(buffer, length) == target) unlink(path.c_str());
}

// Never blocks: what the PC side does not take in time is lost, as on a real line.
void WriteToLine(const PseudoTerminal& pty, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return;
    int waiting = 0;
    if (ioctl(pty.Slave, FIONREAD, &waiting) == 0 &&
        waiting + static_cast<int>(bytes.size()) > LineQueueLimit)
        return;
    [[maybe_unused]] const ssize_t written = write(pty.Master, bytes.data(), bytes.size());
}

void PrintCommands(DeviceSimulator& device, double milliseconds) {
    for (const Frame& frame : device.TakeReceivedCommands()) {
        std::printf("rx %02X %02X %02X %02X %02X %02X t=%.3f%s\n", frame[0], frame[1], frame[2],
                    frame[3], frame[4], frame[5], milliseconds, device.Silent() ? " silent" : "");
    }
    std::fflush(stdout);
}

void Serve(const PseudoTerminal& pty, const Settings& settings) {
    using Clock = std::chrono::steady_clock;
    DeviceSimulator device(settings.Device);
    const Clock::time_point start = Clock::now();
    const auto dueTime = [&] {
        return start + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(device.Time()));
    };
    while (!stopRequested) {
        const Clock::time_point now = Clock::now();
        while (now >= dueTime()) {
            device.Tick();
            WriteToLine(pty, device.TakeOutput());
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(dueTime() - now);
        pollfd input{pty.Master, POLLIN, 0};
        if (poll(&input, 1, static_cast<int>(wait.count())) <= 0) continue;
        std::uint8_t buffer[256];
        ssize_t count;
        while ((count = read(pty.Master, buffer, sizeof buffer)) > 0)
            device.Receive(buffer, static_cast<int>(count));
        WriteToLine(pty, device.TakeOutput());
        const std::chrono::duration<double, std::milli> since = Clock::now() - start;
        if (settings.Verbose)
            PrintCommands(device, since.count());
        else
            device.TakeReceivedCommands();
    }
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!ParseArguments(argc, argv, settings)) return 2;
    // Handled before the link exists, so that a stop at any moment still removes it.
    struct sigaction stop {};
    stop.sa_handler = RequestStop; // no SA_RESTART: the signal ends the wait in poll
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a reader of the verbose lines may go away first
    PseudoTerminal pty;
    if (!OpenPseudoTerminal(pty)) {
        std::perror("accsim: cannot open a pseudo-terminal");
        return 1;
    }
    if (!settings.Link.empty() && !MakeLink(settings.Link, pty.Path)) {
        std::fprintf(stderr, "accsim: cannot make the link %s\n", settings.Link.c_str());
        return 1;
    }
    std::printf("%s\n", pty.Path.c_str());
    std::fflush(stdout);

    Serve(pty, settings);

    if (!settings.Link.empty()) RemoveLink(settings.Link, pty.Path);
    close(pty.Slave);
    close(pty.Master);
    return 0;
}
