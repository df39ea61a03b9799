// A second thread that takes half of each elimination step of the dense
// phase. Steps are short (a few microseconds to a millisecond) and there
// are thousands of them, so the thread lives for the whole phase and is
// handed one task per step instead of being started per step. Each task is
// claimed by whichever thread gets to it first: when the other core is busy
// and the thread is not running, the caller does the task itself instead of
// waiting for it.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace orv::detail {

class StepWorker {
public:
    // A worker when the machine has a second core to give, else nothing.
    static std::unique_ptr<StepWorker> startIfUseful();

    StepWorker();
    ~StepWorker();
    StepWorker(const StepWorker&) = delete;
    StepWorker& operator=(const StepWorker&) = delete;

    // Hands `task` to the thread; it runs while the caller does its own half.
    void start(std::function<void()> task);
    // Runs the task handed over last unless the thread has claimed it, then
    // waits until it has finished.
    void finish();

private:
    void loop();

    // Tasks are numbered 1, 2, ...; claimed_ and completed_ hold the number
    // of the last task claimed and the last task the thread finished.
    // stopping_ is set just before the final post. The thread reads it on
    // every wake-up, also while the caller, having claimed the last task
    // itself, is setting it: hence atomic. Relaxed order suffices: once an
    // acquire load of posted_ has seen the final post the thread is sure to
    // see it set, and seeing it set earlier is harmless, as the last task
    // has finished by then.
    std::function<void()> task_;
    std::atomic<bool> stopping_{false};
    std::atomic<unsigned> posted_{0};
    std::atomic<unsigned> claimed_{0};
    std::atomic<unsigned> completed_{0};
    std::thread thread_;
};

}  // namespace orv::detail
