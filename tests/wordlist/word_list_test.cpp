// The genre tree of a word list: totals, children by pointer and by name, removal, copies and
// the walks that find questions and loops; and a question made from its record's fields.
#include "wordlist_test_util.h"

namespace {

CGenre* Find(const CWordList& list, std::string_view name) { return list.FindGenre(name); }

TEST(WordList, KindIsTextsOrGenresAndNamesFindTheFirstGenreAndRemoveTheLast) {
    for (int kind : {0, 2, -7}) EXPECT_EQ(CWordList(kind).GetKind(), CWordList::kGenres);
    CWordList texts = Fields({"a"});
    EXPECT_EQ(AddGenre(texts, "refused"), nullptr);
    texts.RemoveAll();
    EXPECT_EQ(texts.GetCount(), 0u);
    EXPECT_EQ(texts.GetKind(), CWordList::kTexts);

    CWordList list;
    AddGenre(list, "");
    CGenre* first = AddGenre(list, "ALL");
    AddGenre(list, "ALL");
    EXPECT_EQ(Find(list, "ALL"), first);
    EXPECT_EQ(Find(list, ""), nullptr);
    EXPECT_EQ(Find(list, "all"), nullptr);
    list.RemoveGenre("ALL");
    EXPECT_EQ(Find(list, "ALL"), first);
    list.RemoveGenre("ALL");
    EXPECT_EQ(Find(list, "ALL"), nullptr);
    CGenre* again = AddGenre(list, "ALL");
    EXPECT_EQ(Find(list, "ALL"), again);
}

TEST(Genre, TotalsFollowAddsRemovesAndReplaces) {
    CWordList list;
    Build(list, "B[b1] A[a1 >B]");
    CGenre* a = Find(list, "A");
    a->AddChildGenre(nullptr);
    AddQuestion(*Find(list, "B"), "b2");  // A keeps the total B had when it was added
    a->AddChildByName(list, "Later");
    a->AddChildByName(list, "");
    EXPECT_EQ(Describe(list), "B=2[b1 b2] A=2[a1 >B ?Later]");
    Build(list, "Later[l1]");
    a->Resolve(list);
    EXPECT_EQ(Describe(*a), "A=3[a1 >B >Later]");
    EXPECT_EQ(a->FindQuestion("b1"), nullptr);  // not in a child
    AddQuestion(*Find(list, "B"), "b3");
    a->RemoveEntries(CGenre::kChildren, "");  // 3 - 3 (B) - 1 (Later)
    EXPECT_EQ(Describe(*a), "A=0[a1]");

    Build(list, "R[q1 q2 q3]");
    CGenre* r = Find(list, "R");
    r->ReplaceQuestion("q1", Fields({"new", "1", "x"}), "");  // the new question goes last
    r->ReplaceQuestion("missing", Fields({"other", "1", "x"}), "e");
    EXPECT_EQ(Describe(*r), "R=3[q2 q3 new]");
    EXPECT_TRUE(r->FindQuestion("new")->HasExplanation());
}

TEST(Genre, RemoveEntriesFlags) {
    const struct { int flags; const char* name; const char* after; } cases[] = {
        {8, "", "G=2[q1 q2 ?P]"},          {4, "", "G=2[>X >X ?P]"},
        {6, "q2", "G=3[q1 >X >X ?P]"},     {6, "X", "G=4[q1 q2 >X >X ?P]"},
        {10, "X", "G=3[q1 q2 >X ?P]"},     {10, "P", "G=4[q1 q2 >X >X ?P]"},  // pending never
        {12, "", "G=0[?P]"},               {14, "q1", "G=3[q2 >X >X ?P]"},
        {2, "q1", "G=4[q1 q2 >X >X ?P]"},  {6, "", "G=4[q1 q2 >X >X ?P]"},
        {1 | 16 | 32, "", "G=4[q1 q2 >X >X ?P]"},
    };
    for (const auto& c : cases) {
        CWordList list;
        Build(list, "X[x1] G[q1 q2 >X >X >P]");
        Find(list, "G")->RemoveEntries(c.flags, c.name);
        EXPECT_EQ(Describe(*Find(list, "G")), c.after) << "flags " << c.flags << " name " << c.name;
    }
    CGenre blank("B");  // an empty name matches nothing, not even a question without text
    blank.AddQuestion(Fields({"", "1", "a"}));
    blank.RemoveEntries(CGenre::kQuestions | CGenre::kMatchName, "");
    EXPECT_EQ(blank.GetTotal(), 1);
}

TEST(Genre, ExcludesGenreFollowsChildEntriesOnlyAndQuestionAtIsDepthFirstInEntryOrder) {
    CGenre top("top"), bottom("bottom");  // in no list, outliving the list below
    top.AddChildGenre(&bottom);
    EXPECT_EQ(top.ExcludesGenre("bottom"), 0);
    EXPECT_EQ(bottom.ExcludesGenre("top"), 1);
    CWordList list;
    Build(list, "D[>Nowhere] B[>D] A[>B] C[>A]");
    CGenre* a = Find(list, "A");
    for (const char* reached : {"A", "B", "D"}) EXPECT_EQ(a->ExcludesGenre(reached), 0) << reached;
    for (const char* apart : {"C", "Nowhere", ""}) EXPECT_EQ(a->ExcludesGenre(apart), 1) << apart;
    EXPECT_EQ(Find(list, "C")->ExcludesGenre("D"), 0);
    Find(list, "C")->AddChildGenre(&top);  // a genre from outside the list
    EXPECT_EQ(Find(list, "C")->ExcludesGenre("bottom"), 0);

    Build(list, "inner[i1 i2] empty[] outer[o1 >empty >pending >inner o2 >inner]");
    CGenre* inner = Find(list, "inner");
    CGenre* outer = Find(list, "outer");
    std::string order;  // at 0..total+1, "-" for none
    for (int n = 0; n <= outer->GetTotal() + 1; ++n)
        order += (outer->GetQuestionAt(n) ? std::string(outer->GetQuestionAt(n)->PeekText()) : "-") + " ";
    EXPECT_EQ(order, "- o1 i1 i2 o2 i1 i2 - ");
    EXPECT_EQ(inner->GetQuestionAt(3), nullptr);

    // Totals that promise more than is left after edits, and loops made by hand, give none.
    inner->RemoveEntries(CGenre::kQuestions, "");
    EXPECT_EQ(outer->GetQuestionAt(2)->PeekText(), "o2");
    EXPECT_EQ(outer->GetQuestionAt(3), nullptr);
    Build(list, "loop[l]");
    Find(list, "loop")->AddChildGenre(Find(list, "loop"));
    EXPECT_EQ(Find(list, "loop")->GetQuestionAt(3), nullptr);
}

// A list moved into another keeps its bookkeeping; removing a genre then drops every entry for it.
TEST(WordList, MovedListsKeepTheirBookkeepingRemovalDropsEveryEntryForAGenreAndCopiesResolve) {
    CWordList list;
    Build(list, "X[x1] G[>X g1 >X] H[>X >G]");
    CGenre* x = Find(list, "X");
    CWordList assigned;
    AddGenre(assigned, "old");
    assigned = CWordList(std::move(list));
    EXPECT_EQ(Find(assigned, "old"), nullptr);
    EXPECT_EQ(Find(assigned, "X"), x);
    EXPECT_EQ(x->ExcludesGenre("H"), 1);
    EXPECT_EQ(Find(assigned, "H")->ExcludesGenre("X"), 0);
    assigned.RemoveGenre("X");
    EXPECT_EQ(Describe(assigned), "G=1[g1] H=3[>G]");  // H keeps the total G had when added

    // A genre of the same name including the one that goes must not keep pointing at it.
    CWordList twins;
    CGenre* first = AddGenre(twins, "T");
    CGenre* second = AddGenre(twins, "T");
    AddQuestion(*second, "s1");
    first->AddChildGenre(second);
    twins.RemoveGenre("T");
    EXPECT_EQ(Describe(twins), "T=0[]");
    EXPECT_EQ(first->GetQuestionAt(1), nullptr);

    // A copy resolves children listed earlier at once, later ones at the end.
    CWordList source;
    Build(source, "C[] A[] B[>C]");
    CGenre* a = Find(source, "A");
    a->AddChildGenre(Find(source, "B"));
    AddQuestion(*Find(source, "C"), "c1");
    AddQuestion(*Find(source, "B"), "b1");
    a->AddChildByName(source, "Gone");
    Build(source, "Loop[>A]");
    a->AddChildGenre(Find(source, "Loop"));  // made by hand; the copy refuses it
    EXPECT_EQ(Describe(source), "C=1[c1] A=0[>B ?Gone >Loop] B=1[>C b1] Loop=0[>A]");
    CWordList copy(source);
    // B takes C at once with C's full total; A waits for B until the end, so Loop, which
    // takes A at once, gets A's total of that moment.
    EXPECT_EQ(Describe(copy), "C=1[c1] A=2[>B ?Gone] B=2[>C b1] Loop=0[>A]");
    EXPECT_EQ(copy.GetGenres()[2]->GetEntries()[0].GetChild(), copy.GetGenres()[0].get());
    const CQuestion* copied = copy.GetGenres()[0]->GetEntries()[0].GetQuestion();
    EXPECT_NE(copied, Find(source, "C")->GetEntries()[0].GetQuestion());
    EXPECT_TRUE(copied->HasExplanation());
}

TEST(Question, RequiredCountFromTheCountField) {
    const struct { CWordList fields; int required; std::size_t answers; } cases[] = {
        {Fields({"q", "1", "a", "b"}), 1, 2},
        {Fields({"q", "5", "a", "b"}), 2, 2},    // cut to the answers
        {Fields({"q", "-3", "a", "b"}), -1, 2},  // any negative count: a choice question
        {Fields({"q", "2147483648", "a"}), -1, 1},  // atoi keeps the low 32 bits: negative
        {Fields({"q", "2"}), 0, 0},
        {Fields({"q"}), -1, 0},  // no count field: a choice question without answers
        {Fields({}), -1, 0},
    };
    for (const auto& c : cases) {
        CQuestion question(c.fields);
        EXPECT_EQ(question.GetRequired(), c.required) << c.fields.GetTexts().size();
        EXPECT_EQ(question.GetAnswers().size(), c.answers);
        EXPECT_FALSE(question.HasExplanation());
    }
    EXPECT_EQ(CQuestion(Fields({"q", "0", "a"})).IsComplete(), 1);
}

}  // namespace
