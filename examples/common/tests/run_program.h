// Runs an example program as a process and collects what it printed, for the process tests of the examples.
#ifndef BRIMWATER_EXAMPLES_COMMON_TESTS_RUN_PROGRAM_H
#define BRIMWATER_EXAMPLES_COMMON_TESTS_RUN_PROGRAM_H

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace brimwater::testing {

struct ProgramRun {
  int status = -1;  // exit status, or -1 when the program did not end normally
  std::string out;  // standard output
  std::string err;  // standard error
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `program` with the (shell-quoted by the caller) `arguments`; standard input is empty.
inline ProgramRun RunProgram(const std::string& program, const std::string& arguments = "") {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string stem = ::testing::TempDir() + "brimwater_" + test->test_suite_name() + "_" +
                           test->name() + "_" + std::to_string(getpid());
  const std::string outPath = stem + ".out";
  const std::string errPath = stem + ".err";
  const std::string command =
      "'" + program + "' " + arguments + " </dev/null >'" + outPath + "' 2>'" + errPath + "'";
  ProgramRun run;
  const int raw = std::system(command.c_str());
  if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  run.out = ReadWholeFile(outPath);
  run.err = ReadWholeFile(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return run;
}

// The lines of a text, without their line ends; a last line without a line end counts too.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Calls write(out) with a scratch file as `out` and returns what it printed there.
template <typename Write>
std::string PrintedText(Write write) {
  std::FILE* out = std::tmpfile();
  if (out == nullptr) return "";
  write(out);
  std::string text;
  std::rewind(out);
  for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) text += static_cast<char>(c);
  std::fclose(out);
  return text;
}

}  // namespace brimwater::testing

#endif  // BRIMWATER_EXAMPLES_COMMON_TESTS_RUN_PROGRAM_H
