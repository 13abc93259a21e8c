// hrsg3: solves the three-pressure HRSG again and again, each time from new pseudo-random starting flows,
// printing every iteration, and ends at the first solve that fails to converge. As long as the solves
// converge the run goes on; an optional argument, a positive number of solves, ends it after that many.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "hrsg3_model.h"

namespace {

// The optional solve limit: a whole positive decimal number; anything else is refused.
bool ParseSolveLimit(const char* text, long long* limit) {
  if (text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || value < 1) return false;
  *limit = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  long long limit = 0;  // 0: no limit
  if (argc > 2 || (argc == 2 && !ParseSolveLimit(argv[1], &limit))) {
    std::fputs(
        "usage: hrsg3 [solves]\n  solves: a positive whole number; the run ends after this many solves "
        "(without it, only at a solve that fails to converge)\n",
        stderr);
    return 2;
  }
  brimwater::hrsg3::RandomSequence sequence;
  for (long long solve = 0; limit == 0 || solve < limit; ++solve) {
    const bool converged = brimwater::hrsg3::Solve(sequence, stdout).converged;
    // A run whose output cannot be written (a full disk, a closed stream) would go on unseen for ever.
    if (std::ferror(stdout) != 0) {
      std::fputs("hrsg3: cannot write the output\n", stderr);
      return 1;
    }
    if (!converged) break;
  }
  return 0;
}
