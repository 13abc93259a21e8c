// The calculator's batch mode fed megabytes of random bytes and of near-miss lines: it must end with the
// documented exit status and keep its memory constant whatever the input's size.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

struct BatchRun {
  int status;    // exit status, or -1 when the program did not exit normally
  long max_rss;  // kilobytes
};

// Writes `input` to a scratch file and returns its name. The caller's copy of the input is gone by the time
// the calculator starts, so that the child's peak memory is the calculator's own.
std::string WriteInput(const std::string& input) {
  char path[] = "/tmp/brimwater-batch-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return "";
  std::FILE* file = fdopen(fd, "wb");
  std::fwrite(input.data(), 1, input.size(), file);
  std::fclose(file);
  return path;
}

// Runs the calculator in batch mode with the file `path` on standard input and its output discarded.
BatchRun RunBatchFile(const std::string& path) {
  malloc_trim(0);  // the child's peak memory counts what it inherits before exec
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(path.c_str(), O_RDONLY);
    const int null = open("/dev/null", O_WRONLY);
    dup2(in, 0);
    dup2(null, 1);
    dup2(null, 2);
    execl(BRIMWATER_CLI, BRIMWATER_CLI, "-", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  unlink(path.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

BatchRun RunBatch(const std::string& input) { return RunBatchFile(WriteInput(input)); }

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(random() & 0xff);
  return s;
}

// Lines that almost parse: long lines, embedded NUL, huge numbers, wrong counts, stray words.
std::string NearMisses(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  const std::string templates[] = {
      "Psat 300 -97",
      "HofTP 1000 800 97",
      "Psat 300 -97 extra",
      "Psat 3O0 -97",
      "Psat 300 97.5",
      "Psat 300 2147483648",
      "Psat",
      "HofTP 1e999999 1 97",
      "TofPH nan inf -97",
      "Psat 300 -97\r",
      std::string("Psat 30") + '\0' + "0 -97",
      "HofTP " + std::string(10000, '9') + " 1 97",
      "Psat " + std::string(4000, '7') + " -97",
      std::string(5000, ' ') + "Psat 300 -97",
      "#" + std::string(9000, 'x'),
  };
  std::string s;
  while (s.size() < size) {
    s += templates[random() % (sizeof templates / sizeof templates[0])];
    s += '\n';
  }
  return s;
}

TEST(CalculatorBatch, RandomBytesEndWithStatusOne) {
  const BatchRun run = RunBatch(RandomBytes(3 << 20, 1));
  EXPECT_EQ(run.status, 1);
}

TEST(CalculatorBatch, NearMissLinesEndWithStatusOne) {
  const BatchRun run = RunBatch(NearMisses(3 << 20, 2));
  EXPECT_EQ(run.status, 1);
}

TEST(CalculatorBatch, GoodLinesEndWithStatusZero) {
  std::string input;
  while (input.size() < (1 << 20)) input += "Psat 300 -97\n# comment\n\nHofTP 1000 800 97\n";
  EXPECT_EQ(RunBatch(input).status, 0);
}

TEST(CalculatorBatch, MemoryDoesNotGrowWithInput) {
  const std::string small_input = WriteInput(NearMisses(256 << 10, 3));
  const std::string large_input = WriteInput(NearMisses(8 << 20, 3));
  const BatchRun small = RunBatchFile(small_input);
  const BatchRun large = RunBatchFile(large_input);
  ASSERT_EQ(small.status, 1);
  ASSERT_EQ(large.status, 1);
  // Eight megabytes of input may not cost more than a couple of megabytes of extra memory.
  EXPECT_LT(large.max_rss - small.max_rss, 2048) << small.max_rss << " kB vs " << large.max_rss << " kB";
}

}  // namespace
