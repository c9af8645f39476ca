// orvatix-box-sim --replay as a program: it answers from the trace on its
// pseudo-terminal, reports a skip on standard error, and refuses a malformed
// trace with its line number.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

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

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Scratch {
    std::string dir;
    Scratch() {
        char tmpl[] = "/tmp/orvatix-replay-XXXXXX";
        dir = ::mkdtemp(tmpl) ? tmpl : "/tmp";
    }
    ~Scratch() { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string write(const char* name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

std::string simCommand(const std::string& link, const std::string& trace, const std::string& err) {
    return std::string(ORVATIX_BOX_SIM) + " --link '" + link + "' --unpaced --replay '" + trace +
           "' 2>'" + err + "'";
}

TEST(BoxSimReplayProgram, AnswersFromTheTraceAndReportsASkip) {
    Scratch s;
    const std::string trace = s.write("run.trace", "orvatix-serial-trace 1\r\n"
                                                   "0 W M*\\r\r\n"
                                                   "5 R PA 5 1 2 3 4\\r\r\n"
                                                   "10 W M2\\r\r\n"
                                                   "15 R KW 1 2 3 4 5\\r\r\n");
    const std::string link = s.dir + "/box";
    const std::string err = s.dir + "/err";
    FILE* sim = ::popen(simCommand(link, trace, err).c_str(), "w");
    ASSERT_NE(sim, nullptr);
    ASSERT_TRUE(waitFor([&] { return ::access(link.c_str(), F_OK) == 0; }));

    const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ASSERT_EQ(::write(fd, "M2\r", 3), 3); // the trace has "M*" first
    std::string got;
    EXPECT_TRUE(waitFor([&] {
        pollfd p{fd, POLLIN, 0};
        char buf[256];
        if (::poll(&p, 1, 10) > 0) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0)
                got.append(buf, size_t(n));
        }
        return got.find('\r') != std::string::npos;
    }));
    EXPECT_EQ(got, "KW 1 2 3 4 5\r");
    ::close(fd);

    std::fputs("quit\n", sim);
    const int status = ::pclose(sim);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string said = fileText(err);
    EXPECT_NE(said.find("the program sent \"M2\\r\"; resynchronised at command 2"),
              std::string::npos)
        << said;
}

TEST(BoxSimReplayProgram, AMalformedTraceIsRefusedWithItsLine) {
    Scratch s;
    const std::string trace =
        s.write("bad.trace", "orvatix-serial-trace 1\n0 W M*\\r\n5 Q PA 5\\r\n");
    const std::string err = s.dir + "/err";
    const int status = std::system(simCommand(s.dir + "/box", trace, err).c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string said = fileText(err);
    EXPECT_NE(said.find("bad.trace: line 3: unknown direction 'Q'"), std::string::npos) << said;
    EXPECT_NE(::access((s.dir + "/box").c_str(), F_OK), 0) << "no box was started";
}

} // namespace
