#pragma once
// A worker thread that re-sends an LED command on request. It waits on an auto-reset event (one signal
// wakes one wait; signals while it is busy leave the event set for the next wait), pauses, then runs its
// job once. Ending it is prompt and clean: a pause or a wait in progress stops at once, a running job is
// waited for, and the thread is joined, never killed.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace sound {

class LedWorker {
public:
    // `name` labels the thread in its diagnostics; `job` runs on the worker after each pause.
    LedWorker(std::wstring name, std::chrono::milliseconds pause, std::function<void()> job);
    ~LedWorker();
    LedWorker(const LedWorker&) = delete;
    LedWorker& operator=(const LedWorker&) = delete;

    // Any thread.
    void Signal();
    // Drops a signal nobody has waited for yet.
    void Reset();
    // Ends the thread and waits for it; later signals are ignored.
    void Stop();

    const std::wstring& Name() const { return name_; }

private:
    void Run();

    const std::wstring name_;
    const std::chrono::milliseconds pause_;
    const std::function<void()> job_;
    std::mutex lock_;
    std::condition_variable changed_;
    bool signalled_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: starts once everything it uses exists
};

} // namespace sound
