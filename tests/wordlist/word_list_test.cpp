#include "wordlist_test_util.h"

namespace {

TEST(WordList, KindIsTextsOrGenres) {
    for (int kind : {0, 2, -7}) EXPECT_EQ(CWordList(kind).GetKind(), CWordList::kGenres);
    CWordList texts = Fields({"a"});
    EXPECT_EQ(AddGenre(texts, "refused"), nullptr);
    texts.RemoveGenre("a");
    CWordList copy(texts);
    EXPECT_EQ(copy.GetKind(), CWordList::kTexts);
    EXPECT_EQ(TextsOf(copy), TextsOf(texts));
    texts.RemoveAll();
    EXPECT_EQ(texts.GetCount(), 0u);
    EXPECT_EQ(texts.GetKind(), CWordList::kTexts);
}

TEST(WordList, FindGenreTakesTheFirstOfANameAndRemoveGenreTheLast) {
    CWordList list;
    AddGenre(list, "");
    CGenre* first = AddGenre(list, "ALL");
    AddGenre(list, "ALL");
    EXPECT_EQ(list.FindGenre("ALL"), first);
    EXPECT_EQ(list.FindGenre(""), nullptr);
    EXPECT_EQ(list.FindGenre("all"), nullptr);
    list.RemoveGenre("ALL");
    EXPECT_EQ(list.FindGenre("ALL"), first);
    list.RemoveGenre("ALL");
    EXPECT_EQ(list.FindGenre("ALL"), nullptr);
    CGenre* again = AddGenre(list, "ALL");
    EXPECT_EQ(list.FindGenre("ALL"), again);
}

TEST(WordList, RemoveGenreDropsEveryEntryForIt) {
    CWordList list;
    CGenre* x = AddGenre(list, "X");
    AddQuestion(*x, "x1");
    CGenre* g = AddGenre(list, "G");
    g->AddChildGenre(x);
    AddQuestion(*g, "g1");
    g->AddChildGenre(x);
    CGenre* h = AddGenre(list, "H");
    h->AddChildGenre(x);
    h->AddChildGenre(g);
    list.RemoveGenre("X");
    EXPECT_EQ(Describe(list), "G=1[g1] H=3[>G]");  // H keeps the total G had when added

    // A genre of the same name including the one that goes must not keep pointing at it.
    CWordList twins;
    CGenre* first = AddGenre(twins, "T");
    CGenre* second = AddGenre(twins, "T");
    AddQuestion(*second, "s1");
    first->AddChildGenre(second);
    twins.RemoveGenre("T");
    EXPECT_EQ(Describe(twins), "T=0[]");
    EXPECT_EQ(first->GetQuestionAt(1), nullptr);
}

TEST(WordList, CopyResolvesChildrenListedEarlierAtOnceLaterOnesAtTheEnd) {
    CWordList list;
    CGenre* c = AddGenre(list, "C");
    CGenre* a = AddGenre(list, "A");
    CGenre* b = AddGenre(list, "B");
    a->AddChildGenre(b);
    b->AddChildGenre(c);
    AddQuestion(*c, "c1");
    AddQuestion(*b, "b1");
    a->AddChildByName(list, "Gone");
    CGenre* loop = AddGenre(list, "Loop");
    loop->AddChildGenre(a);
    a->AddChildGenre(loop);  // made by hand; the copy refuses it
    EXPECT_EQ(Describe(list), "C=1[c1] A=0[>B ?Gone >Loop] B=1[>C b1] Loop=0[>A]");
    CWordList copy(list);
    // B takes C at once with C's full total; A waits for B until the end, so Loop, which
    // takes A at once, gets A's total of that moment.
    EXPECT_EQ(Describe(copy), "C=1[c1] A=2[>B ?Gone] B=2[>C b1] Loop=0[>A]");
    EXPECT_EQ(copy.GetGenres()[2]->GetEntries()[0].GetChild(), copy.GetGenres()[0].get());
    EXPECT_EQ(copy.GetGenres()[1]->GetQuestionAt(1)->PeekText(), "c1");
    EXPECT_NE(copy.GetGenres()[0]->GetEntries()[0].GetQuestion(), c->GetEntries()[0].GetQuestion());
    EXPECT_TRUE(copy.GetGenres()[0]->GetEntries()[0].GetQuestion()->HasExplanation());
}

TEST(WordList, MovedListKeepsItsBookkeeping) {
    CWordList list;
    CGenre* child = AddGenre(list, "child");
    CGenre* parent = AddGenre(list, "parent");
    parent->AddChildGenre(child);
    CWordList assigned;
    AddGenre(assigned, "old");
    assigned = CWordList(std::move(list));
    EXPECT_EQ(list.FindGenre("child"), nullptr);
    EXPECT_EQ(assigned.FindGenre("old"), nullptr);
    EXPECT_EQ(assigned.FindGenre("child"), child);
    EXPECT_EQ(child->ExcludesGenre("parent"), 1);
    EXPECT_EQ(parent->ExcludesGenre("child"), 0);
    assigned.RemoveGenre("child");
    EXPECT_EQ(Describe(assigned), "parent=0[]");
}

TEST(FindQuestionByIndex, CountsAcrossTheGenresInOrder) {
    CWordList list;
    CGenre* two = AddGenre(list, "two");
    CGenre* three = AddGenre(list, "three");
    for (const char* text : {"t1", "t2"}) AddQuestion(*two, text);
    for (const char* text : {"h1", "h2", "h3"}) AddQuestion(*three, text);
    const std::vector<CGenre*> genres = {two, nullptr, three};
    std::string order;
    for (int index = -1; index <= 5; ++index) {
        const CQuestion* question = FindQuestionByIndex(genres, index);
        (order += question ? question->PeekText() : "-") += " ";
    }
    EXPECT_EQ(order, "- t1 t2 h1 h2 h3 - ");
}

}  // namespace
