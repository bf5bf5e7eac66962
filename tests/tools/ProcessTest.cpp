// zelcalc as a process: on a terminal, driven through a pseudo-terminal as a
// person would; and fed a large input through a pipe, to see what it holds.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class Terminal {
 public:
  explicit Terminal(const std::string& home) {
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      setenv("HOME", home.c_str(), 1);
      setenv("TERM", "dumb", 1);
      execl(ZELCALC_PATH, "zelcalc", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (master_ >= 0) close(master_);
    if (pid_ > 0) Wait();
  }

  bool started() const { return pid_ > 0 && master_ >= 0; }

  // Everything the program writes until `until` appears (or ten quiet seconds,
  // or the end of its output when until is empty).
  std::string ReadUntil(const std::string& until) {
    std::string got;
    char buf[4096];
    while (until.empty() || got.find(until) == std::string::npos) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 10000) <= 0) break;
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }

  void Type(const std::string& text) {
    ASSERT_EQ(write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // The exit status, or -1 when the program has not ended within ten seconds
  // (it is killed then, so a lost end of input fails the test instead of
  // hanging it).
  int Wait() {
    int status = 0;
    for (int tenths = 0; waitpid(pid_, &status, WNOHANG) == 0; ++tenths) {
      if (tenths == 100) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        status = -1;
        break;
      }
      usleep(100000);
    }
    pid_ = -1;
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  int master_ = -1;
  pid_t pid_ = -1;
};

#ifdef ZELCALC_HAVE_EDITLINE
TEST(Terminal, AnswersEachStatementAsItIsEnteredAndKeepsHistory) {
  char dir[] = "/tmp/zelcalc-home-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  {
    Terminal t(dir);
    ASSERT_TRUE(t.started());
    EXPECT_NE(t.ReadUntil("zelcalc> ").find("'help' lists them"), std::string::npos);
    t.Type("x + y = 3\n");
    EXPECT_NE(t.ReadUntil("zelcalc> ").find("  x + y = 3"), std::string::npos);
    t.Type("show 2*x + x\n");
    EXPECT_NE(t.ReadUntil("zelcalc> ").find("3*x"), std::string::npos);
    t.Type("help\n");
    EXPECT_NE(t.ReadUntil("zelcalc> ").find("show system"), std::string::npos);
    t.Type("show system\n");
    const std::string system = t.ReadUntil("zelcalc> ");
    EXPECT_NE(system.find("x + y = 3"), std::string::npos) << system;
    // The line editor switches the terminal to its own mode after writing the
    // prompt; an end of input typed before that is read as a plain byte.
    usleep(300000);
    t.Type("\x04");
    EXPECT_NE(t.ReadUntil("").find("x + y = 3"), std::string::npos);
    EXPECT_EQ(t.Wait(), 0);
  }
  std::ifstream history(std::string(dir) + "/.zelcalc_history");
  std::stringstream text;
  text << history.rdbuf();
  EXPECT_NE(text.str().find("help"), std::string::npos) << text.str();  // spaces are coded \040
  std::remove((std::string(dir) + "/.zelcalc_history").c_str());
  rmdir(dir);
}
#endif

// 8 MB of separators were 8 million tokens, some 700 MB, when the whole
// input was read before running; a line at a time it is one line's worth.
TEST(Pipe, ALargeInputIsHeldOneLineAtATime) {
  int in[2];
  ASSERT_EQ(pipe(in), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    close(in[0]);
    close(in[1]);
    execl(ZELCALC_PATH, "zelcalc", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  const std::string line = std::string(4095, ';') + "\n";
  bool written = true;
  for (int i = 0; i < 2048 && written; ++i)
    written = write(in[1], line.data(), line.size()) == static_cast<ssize_t>(line.size());
  EXPECT_TRUE(written);
  ASSERT_EQ(write(in[1], "show 2*x + x\n", 13), 13);
  close(in[1]);
  int status = 0;
  rusage usage{};
  ASSERT_EQ(wait4(pid, &status, 0, &usage), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
#ifdef __SANITIZE_ADDRESS__
  const long limitKiB = 1024L * 1024;  // the sanitizer keeps freed memory for a while
#else
  const long limitKiB = 256L * 1024;
#endif
  EXPECT_LT(usage.ru_maxrss, limitKiB) << "peak resident size in KiB";
}

}  // namespace
