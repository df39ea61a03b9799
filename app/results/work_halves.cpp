// Two halves of a piece of work on two threads; see work_halves.h.
#include "results/work_halves.h"

#include <future>
#include <thread>

void inHalves(std::size_t count, std::size_t least,
              const std::function<void(std::size_t, std::size_t)>& part) {
    if (count < least || count < 2 || std::thread::hardware_concurrency() < 2) {
        part(0, count);
        return;
    }
    const std::size_t middle = count / 2;
    auto upper = std::async(std::launch::async, [&part, middle, count] { part(middle, count); });
    try {
        part(0, middle);
    } catch (...) {
        upper.wait();  // the other half still uses what the caller owns
        throw;
    }
    upper.get();
}
