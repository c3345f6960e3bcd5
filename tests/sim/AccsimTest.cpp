#include "ProgramSide.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The next line the program prints, or what came before the deadline.
std::string ReadLine(int fd, Clock::time_point deadline) {
    std::string line;
    char c = 0;
    while (Clock::now() < deadline) {
        pollfd input{fd, POLLIN, 0};
        if (poll(&input, 1, 100) <= 0) continue;
        if (read(fd, &c, 1) != 1 || c == '\n') break;
        line += c;
    }
    return line;
}

} // namespace

TEST(Accsim, ServesTheDeviceOnAPseudoTerminal) {
    const std::string link = testing::TempDir() + "accsim-" + std::to_string(getpid());
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    const char* arguments[] = {ACCSIM_PATH,  "--range",   "2",    "--link",
                               link.c_str(), "--verbose", nullptr};
    pid_t simulator = 0;
    ASSERT_EQ(posix_spawn(&simulator, ACCSIM_PATH, &actions, nullptr, const_cast<char**>(arguments),
                          environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);

    const auto deadline = Clock::now() + std::chrono::seconds(10);
    const std::string device = ReadLine(output[0], deadline);
    char target[4096] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(device, target);

    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios mode{};
    tcgetattr(fd, &mode);
    cfmakeraw(&mode);
    tcsetattr(fd, TCSANOW, &mode);
    FdComm comm(fd);
    auto program = std::make_unique<ProgramSide>();
    for (const Frame& command :
         {BuildFrame(CmdIdentify, 0, 0), BuildFrame(CmdStream, StreamStart, 0)})
        comm.Write(command.data(), FrameLength);
    while (program->Samples.size() < 25 && Clock::now() < deadline) {
        pollfd input{fd, POLLIN, 0};
        if (poll(&input, 1, 100) > 0) program->Receive(comm);
    }
    EXPECT_TRUE(program->State.DeviceFound);
    EXPECT_EQ(program->State.RangeCode, 2);
    EXPECT_GE(program->Samples.size(), 25u);
    EXPECT_TRUE(AllAtRest(program->Samples));
    EXPECT_EQ(ReadLine(output[0], deadline).substr(0, 23), "rx 02 00 00 00 02 03 t=");
    EXPECT_EQ(ReadLine(output[0], deadline).substr(0, 23), "rx 02 01 01 00 04 03 t=");

    close(fd);
    kill(simulator, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(simulator, &status, 0), simulator);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat linkStatus {};
    EXPECT_NE(lstat(link.c_str(), &linkStatus), 0); // the link went with the simulator
    close(output[0]);
}
