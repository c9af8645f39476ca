// orvatix-box-sim as a program: it ends at once on SIGTERM or SIGINT, whether
// its standard input is still open or already closed.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

bool waitFor(const std::function<bool()>& condition, std::chrono::seconds deadline = 20s) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// The simulator with its standard input on a pipe that the test holds.
struct Program {
    explicit Program(const std::string& link) {
        int in[2], out[2];
        EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
        EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
        input = in[1];
        output = out[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string path = ORVATIX_BOX_SIM;
        char* argv[] = {path.data(), const_cast<char*>("--link"), const_cast<char*>(link.c_str()),
                        const_cast<char*>("--unpaced"), nullptr};
        EXPECT_EQ(::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
    }
    ~Program() {
        if (pid > 0) { // it did not end: do not leave it behind
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (input >= 0)
            ::close(input);
        ::close(output);
    }
    // Asks for the status and waits for the answer, then until the program
    // sleeps again: it waits for its next line of input.
    bool waitingForInput() {
        write("status\n");
        std::string reply;
        const bool answered = waitFor([&] {
            pollfd p{output, POLLIN, 0};
            char buf[512];
            if (::poll(&p, 1, 10) > 0) {
                const ssize_t n = ::read(output, buf, sizeof buf);
                if (n > 0)
                    reply.append(buf, size_t(n));
            }
            return reply.find("traffic") != std::string::npos;
        });
        return answered && waitFor([&] {
                   std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
                   std::string line;
                   std::getline(stat, line);
                   const size_t paren = line.rfind(')');
                   return paren != std::string::npos && line.size() > paren + 2 &&
                          line[paren + 2] == 'S';
               });
    }
    // True when the program has ended within the deadline; its wait status
    // in *status.
    bool ended(int* status) {
        const bool done = waitFor([&] { return ::waitpid(pid, status, WNOHANG) == pid; });
        if (done)
            pid = -1;
        return done;
    }
    void write(const char* text) {
        ASSERT_EQ(::write(input, text, std::strlen(text)), ssize_t(std::strlen(text)));
    }

    pid_t pid = -1;
    int input = -1;
    int output = -1;
};

TEST(BoxSimProgram, EndsAtOnceOnSigtermOrSigintWithItsInputOpenOrClosed) {
    struct Case {
        const char* what;
        int signal;
        bool closeInput;
    };
    const Case cases[] = {
        {"SIGTERM, input open", SIGTERM, false},
        {"SIGINT, input open", SIGINT, false},
        {"SIGTERM, input closed", SIGTERM, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        char dir[] = "/tmp/orvatix-boxsim-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        const std::string link = std::string(dir) + "/box";
        {
            Program program(link);
            // The link is made once the signal handlers are in place.
            ASSERT_TRUE(waitFor([&] { return ::access(link.c_str(), F_OK) == 0; }));
            if (c.closeInput) {
                ::close(program.input);
                program.input = -1;
            } else {
                ASSERT_TRUE(program.waitingForInput());
            }
            ASSERT_EQ(::kill(program.pid, c.signal), 0);
            int status = 0;
            ASSERT_TRUE(program.ended(&status)) << "still running after the signal";
            EXPECT_TRUE(WIFEXITED(status)) << "ended by its own hand, not by the signal";
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_NE(::access(link.c_str(), F_OK), 0) << "the link is removed";
        }
        ::rmdir(dir);
    }
}

TEST(BoxSimProgram, QuitEndsItAndAnUnfinishedLastLineStillCounts) {
    for (const char* input : {"status\nquit\n", "speed 1\nquit"}) {
        SCOPED_TRACE(input);
        char dir[] = "/tmp/orvatix-boxsim-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        const std::string link = std::string(dir) + "/box";
        {
            Program program(link);
            ASSERT_TRUE(waitFor([&] { return ::access(link.c_str(), F_OK) == 0; }));
            program.write(input);
            ::close(program.input);
            program.input = -1;
            int status = 0;
            ASSERT_TRUE(program.ended(&status));
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        ::rmdir(dir);
    }
}

} // namespace
