#pragma once
// One worker thread for slow work that must not hold up the window's thread. A job runs on the worker
// and returns what its owner then does with the result; that part runs on the owner's thread, in the
// order the jobs were given, when the owner calls DeliverFinished. `wakeOwner` is called on the worker
// after each job, so that the owner's thread comes back to DeliverFinished (a posted window message).

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace device {

class BackgroundJobs {
public:
    using Finish = std::function<void()>;
    using Job = std::function<Finish()>;

    explicit BackgroundJobs(std::function<void()> wakeOwner);
    // Waits for the running job; queued jobs and undelivered results are dropped.
    ~BackgroundJobs();
    BackgroundJobs(const BackgroundJobs&) = delete;
    BackgroundJobs& operator=(const BackgroundJobs&) = delete;

    void Submit(Job job);
    // Runs the finished jobs' results on the calling (owner's) thread.
    void DeliverFinished();

private:
    void Work();

    std::function<void()> wakeOwner_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Job> queued_;
    std::deque<Finish> finished_;
    bool stopping_ = false;
    std::thread worker_; // last: starts once everything it uses exists
};

} // namespace device
