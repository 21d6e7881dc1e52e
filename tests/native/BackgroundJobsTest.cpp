// The worker thread behind the system's device search: jobs run away from the owner's thread, their
// results come back on it in order, and a worker that goes while jobs wait neither hangs nor runs them.
// Also built alone under ThreadSanitizer (the tsan preset).
#include "device/BackgroundJobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// The owner's side: woken by the worker, as a posted window message wakes the window's thread.
class Owner {
public:
    void Wake()
    {
        {
            const std::scoped_lock locked(lock_);
            ++wakes_;
        }
        woken_.notify_all();
    }
    // Waits until `count` wakes have come.
    bool WaitForWakes(int count)
    {
        std::unique_lock locked(lock_);
        return woken_.wait_for(locked, std::chrono::seconds(10), [&] { return wakes_ >= count; });
    }

private:
    std::mutex lock_;
    std::condition_variable woken_;
    int wakes_ = 0;
};

TEST(BackgroundJobs, JobsRunAwayAndTheirResultsComeBackInOrderOnTheOwnersThread)
{
    Owner owner;
    device::BackgroundJobs jobs([&owner] { owner.Wake(); });
    const std::thread::id ownerThread = std::this_thread::get_id();
    std::vector<int> delivered;
    std::atomic<int> ranAway = 0;
    constexpr int kJobs = 50;
    for (int i = 0; i < kJobs; ++i)
        jobs.Submit([&, i]() -> device::BackgroundJobs::Finish {
            if (std::this_thread::get_id() != ownerThread)
                ++ranAway;
            const int result = i * i; // the slow part's result, handed over to the owner
            return [&, result] {
                EXPECT_EQ(std::this_thread::get_id(), ownerThread);
                delivered.push_back(result);
            };
        });
    // Deliver while the worker is still busy, then the rest.
    jobs.DeliverFinished();
    ASSERT_TRUE(owner.WaitForWakes(kJobs));
    jobs.DeliverFinished();

    EXPECT_EQ(ranAway, kJobs);
    ASSERT_EQ(delivered.size(), static_cast<std::size_t>(kJobs));
    for (int i = 0; i < kJobs; ++i)
        EXPECT_EQ(delivered[i], i * i);
}

TEST(BackgroundJobs, GoingAwayWithJobsWaitingNeitherHangsNorDeliversThem)
{
    std::atomic<bool> release = false;
    std::atomic<int> started = 0;
    int delivered = 0;
    std::thread releaser;
    {
        device::BackgroundJobs jobs([] {});
        for (int i = 0; i < 5; ++i)
            jobs.Submit([&]() -> device::BackgroundJobs::Finish {
                ++started;
                while (!release)
                    std::this_thread::yield();
                return [&delivered] { ++delivered; };
            });
        while (started == 0)
            std::this_thread::yield();
        // The first job ends only once the worker has been told to stop.
        releaser = std::thread([&release] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            release = true;
        });
    }
    releaser.join();
    EXPECT_EQ(started, 1) << "the running job ends; the waiting ones never start";
    EXPECT_EQ(delivered, 0);
}

} // namespace
