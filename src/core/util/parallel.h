// Runs independent pieces of work on a few threads.
#pragma once

#include <cstddef>
#include <functional>

namespace wexbo {

// The number of hardware threads, at least 1.
unsigned DefaultJobCount();

// Calls work(i) for every i in [0, count) on up to `jobs` threads (the calling thread is one of
// them); returns when all calls have returned. Indices are handed out in increasing order. An
// exception thrown by `work` stops the handing out of further indices and is rethrown here.
void ParallelFor(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work);

}  // namespace wexbo
