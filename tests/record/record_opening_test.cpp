// The record opened on a thread of its own: the taker gets the store and, on its own thread,
// what the open told, once; the store's later faults are told to the taker.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "record/record_opening.h"
#include "record/record_store.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/thread_noting_prompt.h"

namespace {

TEST(RecordOpening, HandsOverTheStoreWithItsNoticesToldOnceOnTheTakingThread) {
    TempDir dir;
    WriteFileBytes(dir / "Pellora.db", std::string(4096, 'x'));  // damaged: set aside, a new record begins
    CRecordOpening opening(dir.Path());
    std::atomic<int> readyCalls = 0;
    opening.WhenOpen([&] { ++readyCalls; });
    CThreadNotingPrompt owner;
    CRecordOpening::Opened opened = opening.Take(owner);  // waits for the open
    EXPECT_EQ(readyCalls, 1);
    ASSERT_NE(opened.store, nullptr);
    EXPECT_EQ(opened.store->Status(), RecordStatus::Recording);
    EXPECT_TRUE(owner.Messages().empty()) << "told only when the taker says";
    opened.TellTo(owner);
    opening.Take(owner).TellTo(owner);  // a second take gets nothing
    ASSERT_EQ(owner.Messages().size(), 1u);
    EXPECT_NE(owner.Messages()[0].text.find("Pellora.db.damaged-"), std::string::npos);
    EXPECT_EQ(owner.threads, std::vector{std::this_thread::get_id()});
    opening.WhenOpen([&] { ++readyCalls; });  // already open: at once, here
    EXPECT_EQ(readyCalls, 2);

    opened.store->RunStarted({.wordListFile = "a.wl", .genres = {"g"}, .count = 1});
    {
        ScopedFileSizeLimit limit(1);
        opened.store->AnswerJudged({1, "g", "q", QuizForm::One, AnswerOutcome::Right, "a", 1});
    }
    EXPECT_EQ(owner.Messages().size(), 2u) << "a later fault goes to the taker";
}

}  // namespace
