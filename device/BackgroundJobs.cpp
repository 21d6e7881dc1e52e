#include "device/BackgroundJobs.h"

#include <utility>

namespace device {

BackgroundJobs::BackgroundJobs(std::function<void()> wakeOwner)
    : wakeOwner_(std::move(wakeOwner)), worker_([this] { Work(); })
{
}

BackgroundJobs::~BackgroundJobs()
{
    {
        const std::scoped_lock locked(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void BackgroundJobs::Submit(Job job)
{
    {
        const std::scoped_lock locked(lock_);
        queued_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void BackgroundJobs::DeliverFinished()
{
    // A result may submit the next job or pump messages that come back here: take one at a time and
    // run it without the lock.
    for (;;) {
        Finish finish;
        {
            const std::scoped_lock locked(lock_);
            if (finished_.empty())
                return;
            finish = std::move(finished_.front());
            finished_.pop_front();
        }
        if (finish)
            finish();
    }
}

void BackgroundJobs::Work()
{
    std::unique_lock locked(lock_);
    for (;;) {
        changed_.wait(locked, [this] { return stopping_ || !queued_.empty(); });
        if (stopping_)
            return;
        Job job = std::move(queued_.front());
        queued_.pop_front();
        locked.unlock();
        Finish finish = job();
        locked.lock();
        finished_.push_back(std::move(finish));
        locked.unlock();
        wakeOwner_();
        locked.lock();
    }
}

} // namespace device
