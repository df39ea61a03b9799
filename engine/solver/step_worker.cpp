// The helper thread of the dense phase; see step_worker.h.
#include "solver/step_worker.h"

#include <system_error>

namespace orv::detail {

namespace {

// Waits until `value` differs from `old`. Steps follow each other within
// microseconds, much faster than a sleeping thread wakes up, so the wait
// spins for a while (about 50 microseconds) before it sleeps.
void awaitChange(const std::atomic<unsigned>& value, unsigned old) {
    constexpr int kSpins = 20000;
    for (int spin = 0; spin < kSpins; ++spin) {
        if (value.load(std::memory_order_acquire) != old) {
            return;
        }
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    value.wait(old, std::memory_order_acquire);
}

}  // namespace

std::unique_ptr<StepWorker> StepWorker::startIfUseful() {
    if (std::thread::hardware_concurrency() < 2) {
        return nullptr;
    }
    try {
        return std::make_unique<StepWorker>();
    } catch (const std::system_error&) {
        return nullptr;  // no thread to be had: the caller works alone
    }
}

StepWorker::StepWorker() : thread_([this] { loop(); }) {}

StepWorker::~StepWorker() {
    stopping_.store(true, std::memory_order_relaxed);
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    thread_.join();
}

void StepWorker::start(std::function<void()> task) {
    task_ = std::move(task);
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
}

void StepWorker::finish() {
    const unsigned task = posted_.load(std::memory_order_relaxed);
    unsigned previous = task - 1;
    if (claimed_.compare_exchange_strong(previous, task, std::memory_order_acq_rel)) {
        task_();  // the thread has not got to it: no need to wait for it
        return;
    }
    for (unsigned done = completed_.load(std::memory_order_acquire); done != task;
         done = completed_.load(std::memory_order_acquire)) {
        awaitChange(completed_, done);
    }
}

void StepWorker::loop() {
    unsigned seen = 0;
    for (;;) {
        awaitChange(posted_, seen);
        seen = posted_.load(std::memory_order_acquire);
        if (stopping_.load(std::memory_order_relaxed)) {
            return;
        }
        unsigned previous = seen - 1;
        if (claimed_.compare_exchange_strong(previous, seen, std::memory_order_acq_rel)) {
            task_();
            completed_.store(seen, std::memory_order_release);
            completed_.notify_one();
        }
    }
}

}  // namespace orv::detail
