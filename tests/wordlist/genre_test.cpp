#include "wordlist_test_util.h"

namespace {

// Genres made outside the list can hold pending names of themselves or of each other.
std::unique_ptr<CGenre> WithPending(std::string name, std::initializer_list<std::string_view> pending) {
    CWordList none;
    auto genre = std::make_unique<CGenre>(std::move(name));
    for (std::string_view child : pending) genre->AddChildByName(none, child);
    return genre;
}

TEST(Genre, TotalsFollowAddsRemovesAndReplaces) {
    CWordList list;
    CGenre* b = AddGenre(list, "B");
    AddQuestion(*b, "b1");
    CGenre* a = AddGenre(list, "A");
    AddQuestion(*a, "a1");
    a->AddChildGenre(b);
    a->AddChildGenre(nullptr);
    AddQuestion(*b, "b2");  // A keeps the total B had when it was added
    a->AddChildByName(list, "Later");
    a->AddChildByName(list, "");
    EXPECT_EQ(Describe(list), "B=2[b1 b2] A=2[a1 >B ?Later]");
    AddQuestion(*AddGenre(list, "Later"), "l1");
    a->Resolve(list);
    EXPECT_EQ(Describe(*a), "A=3[a1 >B >Later]");
    EXPECT_EQ(a->FindQuestion("a1"), a->GetEntries()[0].GetQuestion());
    EXPECT_EQ(a->FindQuestion("b1"), nullptr);  // not in a child
    AddQuestion(*b, "b3");
    a->RemoveEntries(CGenre::kChildren, "");  // 3 - 3 (B) - 1 (Later)
    EXPECT_EQ(Describe(*a), "A=0[a1]");

    CGenre* r = AddGenre(list, "R");
    for (const char* text : {"q1", "q2", "q3"}) AddQuestion(*r, text);
    r->ReplaceQuestion("q1", Fields({"new", "1", "x"}), "");  // the new question goes last
    r->ReplaceQuestion("missing", Fields({"other", "1", "x"}), "e");
    EXPECT_EQ(Describe(*r), "R=3[q2 q3 new]");
    EXPECT_TRUE(r->FindQuestion("new")->HasExplanation());
}

TEST(Genre, RemoveEntriesFlags) {
    const struct {
        int flags;
        const char* name;
        const char* after;
    } cases[] = {
        {8, "", "G=2[q1 q2 ?P]"},          {4, "", "G=2[>X >X ?P]"},
        {6, "q2", "G=3[q1 >X >X ?P]"},     {6, "X", "G=4[q1 q2 >X >X ?P]"},
        {10, "X", "G=3[q1 q2 >X ?P]"},     {10, "P", "G=4[q1 q2 >X >X ?P]"},  // pending never
        {12, "", "G=0[?P]"},               {14, "q1", "G=3[q2 >X >X ?P]"},
        {2, "q1", "G=4[q1 q2 >X >X ?P]"},  {6, "", "G=4[q1 q2 >X >X ?P]"},
        {1 | 16 | 32, "", "G=4[q1 q2 >X >X ?P]"},
    };
    for (const auto& c : cases) {
        CWordList list;
        CGenre* x = AddGenre(list, "X");
        AddQuestion(*x, "x1");
        CGenre* g = AddGenre(list, "G");
        AddQuestion(*g, "q1");
        AddQuestion(*g, "q2");
        g->AddChildGenre(x);
        g->AddChildGenre(x);
        g->AddChildByName(list, "P");
        g->RemoveEntries(c.flags, c.name);
        EXPECT_EQ(Describe(*g), c.after) << "flags " << c.flags << " name " << c.name;
    }
}

TEST(Genre, ExcludesGenreFollowsChildEntriesOnly) {
    CGenre top("top"), bottom("bottom");  // in no list, outliving the list below
    top.AddChildGenre(&bottom);
    EXPECT_EQ(top.ExcludesGenre("bottom"), 0);
    EXPECT_EQ(bottom.ExcludesGenre("top"), 1);
    CWordList list;
    CGenre* d = AddGenre(list, "D");
    CGenre* b = AddGenre(list, "B");
    CGenre* a = AddGenre(list, "A");
    CGenre* c = AddGenre(list, "C");
    a->AddChildGenre(b);
    b->AddChildGenre(d);
    c->AddChildGenre(a);
    d->AddChildByName(list, "Nowhere");
    for (const char* reached : {"A", "B", "D"}) EXPECT_EQ(a->ExcludesGenre(reached), 0) << reached;
    for (const char* apart : {"C", "Nowhere", ""}) EXPECT_EQ(a->ExcludesGenre(apart), 1) << apart;
    EXPECT_EQ(c->ExcludesGenre("D"), 0);
    c->AddChildGenre(&top);  // a genre from outside the list
    EXPECT_EQ(c->ExcludesGenre("bottom"), 0);
}

TEST(Genre, ResolveSettlesTheTargetFirstAndRefusesLoops) {
    CWordList list;
    CGenre* a = list.AddGenre(WithPending("A", {"B", "Missing"}));
    list.AddGenre(WithPending("B", {"C"}));
    CGenre* c = AddGenre(list, "C");
    AddQuestion(*c, "c1");
    AddQuestion(*c, "c2");
    a->Resolve(list);
    EXPECT_EQ(Describe(list), "A=2[>B ?Missing] B=2[>C] C=2[c1 c2]");

    // A genre tried against another list first still resolves in the list it joins.
    auto moved = WithPending("Moved", {"C"});
    CWordList empty;
    moved->Resolve(empty);
    CGenre* joined = list.AddGenre(std::move(moved));
    list.ResolveAll();
    EXPECT_EQ(Describe(*joined), "Moved=2[>C]");

    CWordList loops;
    CGenre* x = loops.AddGenre(WithPending("X", {"Y"}));
    AddGenre(loops, "Y")->AddChildGenre(x);
    loops.AddGenre(WithPending("Self", {"Self"}));
    loops.AddGenre(WithPending("P", {"Q"}));
    loops.AddGenre(WithPending("Q", {"P"}));
    loops.ResolveAll();
    EXPECT_EQ(Describe(loops), "X=0[] Y=0[>X] Self=0[] P=0[] Q=0[>P]");
}

TEST(Genre, QuestionAtIsDepthFirstInEntryOrder) {
    CWordList list;
    CGenre* inner = AddGenre(list, "inner");
    AddQuestion(*inner, "i1");
    AddQuestion(*inner, "i2");
    CGenre* outer = AddGenre(list, "outer");
    AddQuestion(*outer, "o1");
    outer->AddChildGenre(AddGenre(list, "empty"));
    outer->AddChildByName(list, "pending");
    outer->AddChildGenre(inner);
    AddQuestion(*outer, "o2");
    outer->AddChildGenre(inner);
    std::string order;
    for (int n = 0; n <= outer->GetTotal() + 1; ++n) {
        const CQuestion* question = outer->GetQuestionAt(n);
        (order += question ? question->PeekText() : "-") += " ";
    }
    EXPECT_EQ(order, "- o1 i1 i2 o2 i1 i2 - ");
    EXPECT_EQ(inner->GetQuestionAt(3), nullptr);

    // Totals that promise more than is left after edits, and loops made by hand, give none.
    inner->RemoveEntries(CGenre::kQuestions, "");
    EXPECT_EQ(outer->GetQuestionAt(2)->PeekText(), "o2");
    EXPECT_EQ(outer->GetQuestionAt(3), nullptr);
    CGenre* loop = AddGenre(list, "loop");
    AddQuestion(*loop, "l");
    loop->AddChildGenre(loop);
    EXPECT_EQ(loop->GetQuestionAt(3), nullptr);
}

}  // namespace
