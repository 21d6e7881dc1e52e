#include "setup/InstallWorker.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// The wizard window as the GUI thread sees it: posted messages arrive in a queue the test thread reads.
class PostedMessages final : public ports::InstallerWindow {
public:
    void PostProgress(int percent) override { Post(percent); }
    void PostFinished() override { Post(kFinished); }
    void ShowMessage(const std::wstring&, const std::wstring&) override { Post(kMessage); }

    // The messages up to the finished one; empty when it does not come within ten seconds.
    std::vector<int> WaitForFinished()
    {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_for(lock, std::chrono::seconds(10),
                              [this] { return !queue_.empty() && queue_.back() == kFinished; }))
            return {};
        return queue_;
    }

    static constexpr int kFinished = -1;
    static constexpr int kMessage = -2;

private:
    // Notified under the lock: the test may end as soon as it sees the finished message.
    void Post(int message)
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(message);
        posted_.notify_one();
    }

    std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<int> queue_;
};

TEST(InstallWorkerTest, RunsTheSequenceOnItsOwnThreadAndPostsFinishedLast)
{
    setuptest::SetupRig rig;
    PostedMessages window;
    const _APPLICATION_FOLDER_PATH config = rig.LoadConfig();
    const setup::InstallOptions options{1, 1, 1, 0};
    const setup::_REG_UNINSTALL_INFO uninstall = setup::MakeUninstallInfo(config, L"1.0.0.1");
    const std::wstring warning1 = L"old driver";
    const std::wstring warning2 = L"failed ";
    setup::CInstallSequence sequence({rig.os.Ports(), rig.installFiles, rig.payload, rig.system, window}, rig.update,
                                     {config, options, uninstall, warning1, warning2, false});

    setup::StartInstallWorker(sequence, rig.os.clock, window);

    EXPECT_EQ(window.WaitForFinished(),
              (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 98, 98, 100, PostedMessages::kFinished}));
    EXPECT_EQ(sequence.UpdateInstalled(), 1);
}

} // namespace
