// The element loop behind every function of the Python module, free of Python: NumPy's broadcasting rules for
// the arguments, a walk over the broadcast elements in C order, and the split of that walk into contiguous
// chunks run on threads. Each element is computed by the same code whatever the split, so a result never
// depends on the number of threads.
#ifndef BRIMWATER_PYTHON_ELEMENTWISE_H
#define BRIMWATER_PYTHON_ELEMENTWISE_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace brimwater::python {

inline constexpr int kMaxDimensions = 64;  // NumPy 2's NPY_MAXDIMS; NumPy 1 allows 32

// Below this many elements per thread, starting a thread costs more than it saves: for the fifteen
// functions (tens of nanoseconds an element), and for a whole state (microseconds an element).
inline constexpr std::size_t kMinElementsPerThread = 8192;
inline constexpr std::size_t kMinStatesPerThread = 512;
// A bound on the threads= request, so that a mistyped count cannot exhaust the process's threads.
inline constexpr std::size_t kMaxThreads = 256;

// One argument as NumPy holds it: its first element, its shape and its strides in bytes.
struct ArgumentView {
  const char* data = nullptr;
  int ndim = 0;
  const std::ptrdiff_t* shape = nullptr;
  const std::ptrdiff_t* strides = nullptr;
};

// N arguments broadcast against one another: the result's shape (C order) and, per argument, the address of
// its first element and its byte strides along the result's axes (0 along an axis it is broadcast over).
template <std::size_t N>
struct Broadcast {
  int ndim = 0;
  std::size_t size = 1;
  std::array<std::ptrdiff_t, kMaxDimensions> shape{};
  std::array<const char*, N> data{};
  std::array<std::array<std::ptrdiff_t, kMaxDimensions>, N> strides{};
};

// NumPy's rule: shapes are aligned at their last axes; along each axis the extents must be equal or 1, and
// the result takes the larger. False when the shapes do not broadcast or have too many axes.
template <std::size_t N>
bool BroadcastArguments(const std::array<ArgumentView, N>& arguments, Broadcast<N>& b) {
  b = Broadcast<N>{};
  for (const ArgumentView& a : arguments) {
    if (a.ndim < 0 || a.ndim > kMaxDimensions) return false;
    b.ndim = std::max(b.ndim, a.ndim);
  }
  std::fill(b.shape.begin(), b.shape.begin() + b.ndim, std::ptrdiff_t{1});
  for (std::size_t k = 0; k < N; ++k) {
    const ArgumentView& a = arguments[k];
    b.data[k] = a.data;
    const int offset = b.ndim - a.ndim;
    for (int d = 0; d < a.ndim; ++d) {
      const std::ptrdiff_t extent = a.shape[d];
      std::ptrdiff_t& result = b.shape[static_cast<std::size_t>(offset + d)];
      if (extent != 1) {
        if (result != 1 && result != extent) return false;
        result = extent;
      }
    }
  }
  for (std::size_t k = 0; k < N; ++k) {
    const ArgumentView& a = arguments[k];
    const int offset = b.ndim - a.ndim;
    for (int d = 0; d < a.ndim; ++d) {
      const auto axis = static_cast<std::size_t>(offset + d);
      b.strides[k][axis] = (a.shape[d] == 1 && b.shape[axis] != 1) ? 0 : a.strides[d];
    }
  }
  for (int d = 0; d < b.ndim; ++d) b.size *= static_cast<std::size_t>(b.shape[static_cast<std::size_t>(d)]);
  return true;
}

// Calls element(x, i) for the broadcast elements i in [begin, end) of the C-order walk, x holding the N
// argument values of element i. Reads through memcpy, so unaligned arrays are read correctly too.
template <std::size_t N, class Element>
void ForEachElement(const Broadcast<N>& b, std::size_t begin, std::size_t end, const Element& element) {
  if (begin >= end) return;
  std::array<double, N> x{};
  std::array<const char*, N> p = b.data;
  if (b.ndim == 0) {
    for (std::size_t k = 0; k < N; ++k) std::memcpy(&x[k], p[k], sizeof(double));
    element(x, std::size_t{0});
    return;
  }
  // The multi-index of the first element, and the argument addresses there.
  std::array<std::ptrdiff_t, kMaxDimensions> index{};
  std::size_t rest = begin;
  for (int d = b.ndim - 1; d >= 0; --d) {
    const auto axis = static_cast<std::size_t>(d);
    const auto extent = static_cast<std::size_t>(b.shape[axis]);
    index[axis] = static_cast<std::ptrdiff_t>(rest % extent);
    rest /= extent;
    for (std::size_t k = 0; k < N; ++k) p[k] += index[axis] * b.strides[k][axis];
  }
  const auto last = static_cast<std::size_t>(b.ndim - 1);
  std::size_t i = begin;
  while (true) {
    // Along the last axis, to the end of the row or of the chunk.
    const std::size_t run = std::min(end - i, static_cast<std::size_t>(b.shape[last] - index[last]));
    for (std::size_t j = 0; j < run; ++j, ++i) {
      for (std::size_t k = 0; k < N; ++k) {
        std::memcpy(&x[k], p[k], sizeof(double));
        p[k] += b.strides[k][last];
      }
      element(x, i);
    }
    if (i == end) return;
    // The row is done: back to its start, and one step along the outer axes, carrying like an odometer.
    index[last] += static_cast<std::ptrdiff_t>(run);
    for (std::size_t axis = last; axis > 0 && index[axis] == b.shape[axis]; --axis) {
      for (std::size_t k = 0; k < N; ++k) p[k] += b.strides[k][axis - 1] - b.shape[axis] * b.strides[k][axis];
      index[axis] = 0;
      ++index[axis - 1];
    }
  }
}

// The number of threads a walk over `size` elements uses when `requested` are allowed and each thread is
// to have at least `min_per_thread` elements.
inline std::size_t ThreadsFor(std::size_t size, std::size_t requested,
                              std::size_t min_per_thread = kMinElementsPerThread) {
  const std::size_t useful = (size + min_per_thread - 1) / min_per_thread;
  return std::max<std::size_t>(1, std::min({requested, useful, kMaxThreads}));
}

// Runs chunk(begin, end) over [0, size) in contiguous pieces, one per thread, the first on the calling
// thread. A piece whose thread cannot be started runs on the calling thread instead. The chunk must not
// throw.
template <class Chunk>
void RunInChunks(std::size_t size, std::size_t requested_threads, std::size_t min_per_thread,
                 const Chunk& chunk) {
  const std::size_t pieces = ThreadsFor(size, requested_threads, min_per_thread);
  const auto bound = [&](std::size_t k) { return size / pieces * k + std::min(k, size % pieces); };
  std::vector<std::thread> workers;
  workers.reserve(pieces - 1);
  for (std::size_t k = 1; k < pieces; ++k) {
    const std::size_t begin = bound(k);
    const std::size_t end = bound(k + 1);
    try {
      workers.emplace_back([&chunk, begin, end] { chunk(begin, end); });
    } catch (const std::system_error&) {
      chunk(begin, end);
    }
  }
  chunk(0, bound(1));
  for (std::thread& worker : workers) worker.join();
}

}  // namespace brimwater::python

#endif  // BRIMWATER_PYTHON_ELEMENTWISE_H
