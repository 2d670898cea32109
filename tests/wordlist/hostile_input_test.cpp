// Files built to make a careless reader crash, hang or run out of memory.
#include <cstdint>
#include <limits>

#include "wordlist_test_util.h"

namespace {

using HostileInputTest = WordListFileTest;

std::string Name(int i) { return "G" + std::to_string(i); }

// G0 includes G1 includes G2 ... each with one question, its blocks in the order given. The
// tail also names G0, which would close a loop.
std::string Chain(int length, bool childrenFirst) {
    std::string file = kHeader;
    for (int k = 0; k < length; ++k) {
        const int i = childrenFirst ? length - 1 - k : k;
        file += "PL_BLOCK," + Name(i) + ";\r\nq" + std::to_string(i) + ",1,a;\r\nPL_INCLUDE;\r\n";
        file += (i + 1 < length ? Name(i + 1) : "G0") + ";\r\nPL_BLOCK_END;\r\n";
    }
    return file;
}

// Layers of two genres, each including both genres of the layer below: every path through the
// lattice is a different way down, 2^layers of them, while there are only 2 x layers genres.
std::string Lattice(int layers, bool childrenFirst) {
    std::string file = kHeader;
    for (int k = 0; k < layers; ++k) {
        const int layer = childrenFirst ? layers - 1 - k : k;
        const std::string below = "L" + std::to_string(layer + 1);
        for (char side : {'a', 'b'}) {
            file += "PL_BLOCK,L" + std::to_string(layer) + side + ";\r\n";
            file += layer + 1 < layers ? "PL_INCLUDE;\r\n" + below + "a;\r\n" + below + "b;\r\n"
                                       : "PL_PRIMITIVE;\r\nq" + std::string(1, side) + ",1,a;\r\n";
            file += "PL_BLOCK_END;\r\n";
        }
    }
    // A genre that something includes, reached from nowhere in the lattice; and a second
    // block of that name that includes the lattice, so the loop test must walk all of it.
    file += "PL_BLOCK,Side;\r\nPL_BLOCK_END;\r\nPL_BLOCK,Holder;\r\nPL_INCLUDE;\r\nSide;\r\nPL_BLOCK_END;\r\n";
    return file + "PL_BLOCK,Side;\r\nPL_INCLUDE;\r\nL0a;\r\nPL_BLOCK_END;\r\n";
}

TEST_F(HostileInputTest, DeepNestingNeedsNoStackAndSharedChildrenAreWalkedOnceWithTotalsThatSaturate) {
    constexpr int kLength = 100000;
    // Which reference is refused depends on the order: with the children first the tail's
    // reference to G0 is settled last and refused; with the parents first the tail takes G0
    // at once and G0's own pending G1 is the one refused at the end.
    const struct { bool childrenFirst; int top; const char* lastQuestion; } cases[] = {
        {true, 0, "q99999"}, {false, 1, "q0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.childrenFirst ? "children first" : "parents first");
        Load(Chain(kLength, c.childrenFirst));
        ASSERT_EQ(list.GetCount(), static_cast<std::size_t>(kLength));
        const CGenre* top = list.FindGenre(Name(c.top));
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->GetTotal(), kLength);
        const CQuestion* last = top->GetQuestionAt(kLength);
        EXPECT_EQ(last ? last->PeekText() : "none", c.lastQuestion);
        // No genre reaches itself: the walk from the top's only child never comes back to the top.
        const CGenre* next = top->GetEntries().back().GetChild();
        EXPECT_EQ(next ? next->ExcludesGenre(top->GetName()) : -1, 1);

        CWordList copy(list);
        EXPECT_EQ(copy.FindGenre(Name(c.top))->GetTotal(), kLength);
        Load(Save(copy));  // the copy written and read back
        ASSERT_EQ(list.GetCount(), static_cast<std::size_t>(kLength));
        list.RemoveGenre(Name(kLength / 2));
        EXPECT_EQ(list.FindGenre(Name(kLength / 2 - 1))->GetEntries().size(), 1u);
    }

    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    for (bool childrenFirst : {false, true}) {
        SCOPED_TRACE(childrenFirst ? "children first" : "parents first");
        Load(Lattice(60, childrenFirst));
        CGenre* top = list.FindGenre("L0a");
        EXPECT_EQ(top->GetTotal(), kMax);
        EXPECT_EQ(list.FindGenre("L30a")->GetTotal(), 1 << 29);
        EXPECT_EQ(top->ExcludesGenre("Side"), 1);
        EXPECT_EQ(top->ExcludesGenre("L59b"), 0);
        // The second Side takes the top at once: complete only when the lattice was read first.
        EXPECT_EQ(list.GetGenres().back()->GetTotal(), childrenFirst ? kMax : 0);

        // Saturated totals still lead to questions, and the index sum goes on past them.
        ASSERT_NE(top->GetQuestionAt(kMax), nullptr);
        EXPECT_EQ(top->GetQuestionAt(1) ? top->GetQuestionAt(1)->PeekText() : "none", "qa");
        const std::vector<CGenre*> both = {top, list.FindGenre("L0b")};
        EXPECT_EQ(FindQuestionByIndex(both, kMax - 1), top->GetQuestionAt(kMax));
        EXPECT_NE(FindQuestionByIndex(both, kMax), nullptr);  // the first of the second genre
        EXPECT_EQ(CWordList(list).FindGenre("L0a")->GetTotal(), kMax);
    }
}

}  // namespace
