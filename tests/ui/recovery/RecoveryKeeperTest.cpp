// The keeper's captures that take several slices (a big rich text): the event loop runs
// between slices, an edit meanwhile drops the capture in favour of a new one, and a flush
// finishes them at once.

#include "recovery/qt/RecoveryKeeper.h"

#include "recovery/RecoveryFile.h"
#include "support/TemporaryFolderTest.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr int CopyTimeout = 10000;

class RecoveryKeeperTest : public TemporaryFolderTest {
protected:
    // The document's text arrives after `slices` slices; each capture notes its number.
    TRecoveryKeeper::CaptureFunction CaptureInSlices(int slices) {
        return [this, slices](TRecoveryKeeper::DocumentKey) {
            const int capture = ++captures;
            TRecoveryKeeper::Capture copy;
            copy.header.encodingName = "utf-8";
            auto left = std::make_shared<int>(slices);
            copy.rest = [this, capture,
                         left](std::chrono::milliseconds) -> std::optional<RecoveryText> {
                ++slicesTaken;
                if (--*left > 0)
                    return std::nullopt;
                std::string taken = "capture ";
                taken.append(std::to_string(capture)).append(": ").append(text);
                return taken;
            };
            return std::optional(std::move(copy));
        };
    }

    // The texts of the copies written so far.
    std::vector<std::string> Copies() const {
        std::vector<std::string> texts;
        for (const auto& entry : fs::recursive_directory_iterator(root + "recovery")) {
            if (entry.path().extension() == ".recovery") {
                RecoveryParse parsed = ParseRecoveryFile(Read(entry.path().string()));
                EXPECT_TRUE(parsed.document) << parsed.error;
                if (parsed.document)
                    texts.push_back(parsed.document->text);
            }
        }
        return texts;
    }

    std::string text = "first";
    int captures = 0;
    int slicesTaken = 0;
    const int document = 0;
};

TEST_F(RecoveryKeeperTest, ASlicedCaptureLetsTheEventLoopRunBetweenSlices) {
    TRecoveryKeeper keeper(root + "recovery", CaptureInSlices(5));
    int turns = 0;
    QTimer counter;
    QObject::connect(&counter, &QTimer::timeout, [&] { ++turns; });
    counter.start(0);
    keeper.CaptureNow(&document);
    EXPECT_EQ(slicesTaken, 1) << "the first slice is taken at once";
    EXPECT_TRUE(Copies().empty()) << "written before the text was whole";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Copies().empty(); }, CopyTimeout));
    EXPECT_EQ(Copies(), std::vector<std::string>{"capture 1: first"});
    EXPECT_EQ(slicesTaken, 5);
    EXPECT_GE(turns, 4) << "the event loop did not run between slices";
}

TEST_F(RecoveryKeeperTest, AnEditBetweenSlicesDropsTheCaptureForANewOne) {
    TRecoveryKeeper keeper(root + "recovery", CaptureInSlices(50));
    keeper.CaptureNow(&document);
    QApplication::processEvents();
    text = "edited";
    keeper.Changed(&document);
    const int taken = slicesTaken;
    ASSERT_LT(taken, 50);
    // The delay after the change passes, then the new capture is taken whole.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Copies().empty(); }, CopyTimeout));
    EXPECT_EQ(Copies(), std::vector<std::string>{"capture 2: edited"});
    EXPECT_EQ(slicesTaken, taken + 50) << "the dropped capture went on";
}

TEST_F(RecoveryKeeperTest, AFlushFinishesCapturesInSlicesAtOnce) {
    TRecoveryKeeper keeper(root + "recovery", CaptureInSlices(1000));
    keeper.CaptureNow(&document);
    keeper.Flush();
    EXPECT_EQ(Copies(), std::vector<std::string>{"capture 1: first"});
    EXPECT_EQ(slicesTaken, 1000);
}

} // namespace
