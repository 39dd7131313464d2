#include "platform/base/Trace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Trace, GoesToTheSinkFormattedSafely) {
    std::string captured;
    kq::SetTraceSink([&captured](std::string_view text) { captured += text; });
    TRACE("port %s opened at %d baud\n", "COM3", 9600);
    TRACE0("100% literal\n");
    TRACE1("%d%%\n", 50);
    TRACE2("%s=%u\n", CString("key"), 7u);
    TRACE3("%c%c%c\n", 'a', 'b', 'c');
    TRACE("%s %s %n\n", "only one");  // a format from data asking for more: no crash
    OutputDebugString("raw");
    OutputDebugString(nullptr);
    kq::SetTraceSink(nullptr);
    TRACE("not captured\n");
    EXPECT_EQ(captured,
              "port COM3 opened at 9600 baud\n100% literal\n50%\nkey=7\nabc\nonly one  \nraw");
    EXPECT_FALSE(kq::TraceEnabled() && std::getenv("KQ_TRACE") == nullptr);
}

TEST(Trace, TextsOfSeveralThreadsStayWhole) {
    std::string captured;
    kq::SetTraceSink([&captured](std::string_view text) { captured += text; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                TRACE("thread %d line %d|", t, i);
        });
    }
    for (auto& thread : threads)
        thread.join();
    kq::SetTraceSink(nullptr);
    int pieces = 0;
    for (size_t start = 0, bar; (bar = captured.find('|', start)) != std::string::npos;
         start = bar + 1) {
        EXPECT_EQ(captured.compare(start, 7, "thread "), 0);
        ++pieces;
    }
    EXPECT_EQ(pieces, 800);
}

TEST(Trace, KqTraceSendsTextsToStderr) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], 2);
        ::unsetenv("KQ_TRACE");
        TRACE("hidden\n");
        ::setenv("KQ_TRACE", "0", 1);
        TRACE("hidden\n");
        ::setenv("KQ_TRACE", "1", 1);
        TRACE("shown %d\n", 1);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(output, "shown 1\n");
}

}  // namespace
