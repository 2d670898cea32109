// Files built to make a careless reader crash, hang or run out of memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/temp_dir.h"
#include "wordlist_test_util.h"

namespace {

const std::string kHeader = "_PEL_LORA_LIST_FILE_,1.0\r\n";
constexpr int kChainLength = 100000;

std::string Name(int i) { return "G" + std::to_string(i); }

class HostileInputTest : public testing::Test {
protected:
    void Load(const std::string& bytes) {
        ASSERT_EQ(LoadBytes(prompt, list, dir / "hostile.wl", bytes), 1);
        EXPECT_TRUE(prompt.Messages().empty());
    }

    TempDir dir;
    CRecordingPrompt prompt;
    CWordList list;
};

// G0 includes G1 includes G2 ... each with one question, its blocks in the order given. The
// tail also names G0, which would close a loop.
std::string Chain(bool childrenFirst) {
    std::string file = kHeader;
    for (int k = 0; k < kChainLength; ++k) {
        const int i = childrenFirst ? kChainLength - 1 - k : k;
        file += "PL_BLOCK," + Name(i) + ";\r\nq" + std::to_string(i) + ",1,a;\r\nPL_INCLUDE;\r\n";
        file += (i + 1 < kChainLength ? Name(i + 1) : "G0") + ";\r\nPL_BLOCK_END;\r\n";
    }
    return file;
}

struct ChainCase {
    bool childrenFirst;
    // Which reference is refused depends on the order: with the children first the tail's
    // reference to G0 is settled last and refused; with the parents first the tail takes G0
    // at once and G0's own pending G1 is the one refused at the end.
    int top;
    const char* lastQuestion;
};

class ChainTest : public HostileInputTest, public testing::WithParamInterface<ChainCase> {};

TEST_P(ChainTest, DeepNestingNeedsNoStack) {
    Load(Chain(GetParam().childrenFirst));
    ASSERT_EQ(list.GetCount(), static_cast<std::size_t>(kChainLength));
    const CGenre* top = list.FindGenre(Name(GetParam().top));
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->GetTotal(), kChainLength);
    const CQuestion* last = top->GetQuestionAt(kChainLength);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->PeekText(), GetParam().lastQuestion);
    // No genre reaches itself: the walk from the top's only child never comes back to the top.
    const CGenre* next = top->GetEntries().back().GetChild();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->ExcludesGenre(top->GetName()), 1);

    CWordList copy(list);
    EXPECT_EQ(copy.FindGenre(Name(GetParam().top))->GetTotal(), kChainLength);
    ASSERT_EQ(copy.Save(prompt, dir / "copy.wl"), 1);
    CWordList again;
    ASSERT_EQ(LoadWordList(prompt, again, dir / "copy.wl"), 1);
    EXPECT_EQ(again.GetCount(), list.GetCount());
    again.RemoveGenre(Name(kChainLength / 2));
    EXPECT_EQ(again.FindGenre(Name(kChainLength / 2 - 1))->GetEntries().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothOrders, ChainTest,
                         testing::Values(ChainCase{true, 0, "q99999"}, ChainCase{false, 1, "q0"}),
                         [](const testing::TestParamInfo<ChainCase>& info) {
                             return info.param.childrenFirst ? "ChildrenFirst" : "ParentsFirst";
                         });

// Layers of two genres, each including both genres of the layer below: every path through the
// lattice is a different way down, 2^layers of them, while there are only 2 x layers genres.
std::string Lattice(int layers, bool childrenFirst) {
    std::string file = kHeader;
    for (int k = 0; k < layers; ++k) {
        const int layer = childrenFirst ? layers - 1 - k : k;
        for (char side : {'a', 'b'}) {
            file += "PL_BLOCK,L" + std::to_string(layer) + side + ";\r\n";
            if (layer + 1 < layers) {
                file += "PL_INCLUDE;\r\nL" + std::to_string(layer + 1) + "a;\r\nL" + std::to_string(layer + 1) + "b;\r\n";
            } else {
                file += "PL_PRIMITIVE;\r\nq" + std::string(1, side) + ",1,a;\r\n";
            }
            file += "PL_BLOCK_END;\r\n";
        }
    }
    // A genre that something includes, reached from nowhere in the lattice; and a second
    // block of that name that includes the lattice, so the loop test must walk all of it.
    file += "PL_BLOCK,Side;\r\nPL_BLOCK_END;\r\nPL_BLOCK,Holder;\r\nPL_INCLUDE;\r\nSide;\r\nPL_BLOCK_END;\r\n";
    file += "PL_BLOCK,Side;\r\nPL_INCLUDE;\r\nL0a;\r\nPL_BLOCK_END;\r\n";
    return file;
}

class LatticeTest : public HostileInputTest, public testing::WithParamInterface<bool> {};

TEST_P(LatticeTest, SharedChildrenAreWalkedOnceAndTotalsSaturate) {
    constexpr int kLayers = 60;
    Load(Lattice(kLayers, GetParam()));
    const CGenre* top = list.FindGenre("L0a");
    const CGenre* top2 = list.FindGenre("L0b");
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(top->GetTotal(), kMax);
    EXPECT_EQ(list.FindGenre("L30a")->GetTotal(), 1 << 29);
    EXPECT_EQ(top->ExcludesGenre("Side"), 1);
    EXPECT_EQ(top->ExcludesGenre("L59b"), 0);
    // The second Side takes the top at once: complete only when the lattice was read first.
    EXPECT_EQ(list.GetGenres().back()->GetTotal(), GetParam() ? kMax : 0);

    // Saturated totals still lead to questions, and the index sum goes on past them.
    ASSERT_NE(top->GetQuestionAt(kMax), nullptr);
    ASSERT_NE(top->GetQuestionAt(1), nullptr);
    EXPECT_EQ(top->GetQuestionAt(1)->PeekText(), "qa");
    const std::vector<CGenre*> both = {const_cast<CGenre*>(top), const_cast<CGenre*>(top2)};
    EXPECT_EQ(FindQuestionByIndex(both, kMax - 1), top->GetQuestionAt(kMax));
    EXPECT_NE(FindQuestionByIndex(both, kMax), nullptr);  // the first of the second genre

    CWordList copy(list);
    EXPECT_EQ(copy.FindGenre("L0a")->GetTotal(), kMax);
}

INSTANTIATE_TEST_SUITE_P(BothOrders, LatticeTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "ChildrenFirst" : "ParentsFirst";
                         });

TEST_F(HostileInputTest, ManyMegabyteLines) {
    const std::string big(20 << 20, 'x');
    Load(kHeader + "PL_BLOCK,big;\r\n" + big + ",1,a;\r\n" + big + "\r\nq,1,a;\r\n" + big);
    // The unended second line joins the next record; the last, never ended, is dropped.
    const CGenre* genre = list.FindGenre("big");
    ASSERT_EQ(genre->GetEntries().size(), 2u);
    EXPECT_EQ(genre->GetEntries()[0].GetQuestion()->PeekText(), big);
    EXPECT_EQ(genre->GetEntries()[1].GetQuestion()->PeekText(), big + "\r\nq");
}

TEST_F(HostileInputTest, NulAndInvalidBytesAreKeptAsTheyAre) {
    const std::string odd = std::string("n\0l", 3) + "\xFF\x80\xA0\xFD\x81z";
    Load(kHeader + "PL_BLOCK," + odd + ";\r\n" + odd + ",1," + odd + ";\r\nPL_INFO," + odd + ";\r\n");
    ASSERT_EQ(list.GetCount(), 1u);
    const CGenre* genre = list.GetGenres()[0].get();
    EXPECT_EQ(genre->GetName(), odd);
    ASSERT_EQ(genre->GetEntries().size(), 1u);
    const CQuestion* question = genre->GetEntries()[0].GetQuestion();
    EXPECT_EQ(question->PeekText(), odd);
    EXPECT_EQ(question->GetAnswers()[0].GetText(), odd);
    EXPECT_EQ(question->GetExplanation(), odd);
    ASSERT_EQ(list.Save(prompt, dir / "odd.wl"), 1);
    CWordList again;
    ASSERT_EQ(LoadWordList(prompt, again, dir / "odd.wl"), 1);
    EXPECT_EQ(Describe(again), Describe(list));
}

}  // namespace
