#include "sound/LedWorker.h"

namespace sound {

LedWorker::LedWorker(std::wstring name, std::chrono::milliseconds pause, std::function<void()> job)
    : name_(std::move(name)), pause_(pause), job_(std::move(job)), thread_([this] { Run(); })
{
}

LedWorker::~LedWorker()
{
    Stop();
}

void LedWorker::Signal()
{
    {
        const std::lock_guard guard(lock_);
        signalled_ = true;
    }
    changed_.notify_one();
}

void LedWorker::Reset()
{
    const std::lock_guard guard(lock_);
    signalled_ = false;
}

void LedWorker::Stop()
{
    {
        const std::lock_guard guard(lock_);
        stopping_ = true;
    }
    changed_.notify_one();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void LedWorker::Run()
{
    std::unique_lock lock(lock_);
    for (;;) {
        changed_.wait(lock, [this] { return signalled_ || stopping_; });
        if (stopping_)
            return;
        signalled_ = false; // auto-reset: this wake takes the signal
        // Signals during the pause stay set: the burst they belong to gets one more resend, not one each.
        if (changed_.wait_for(lock, pause_, [this] { return stopping_; }))
            return;
        lock.unlock();
        job_();
        lock.lock();
    }
}

} // namespace sound
