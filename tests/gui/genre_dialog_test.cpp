// The genre dialog in both modes over a small word list: what it refuses, what it offers and
// the name it hands back.
#include <QComboBox>

#include "editor/genre_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/text_bridge.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

enum { kNameBox = 1023, kChoice = 1025, kOk = 1, kCancel = 2 };
const std::string kUndecodable = "X\x85\x40";

class GenreDialogTest : public testing::Test {
protected:
    // "A>B" is a genre A that includes B, which must come before it.
    void MakeList(std::initializer_list<std::string> genres) {
        for (const std::string& spec : genres) {
            const std::size_t mark = spec.find('>');
            CGenre* genre = list_.AddGenre(std::make_unique<CGenre>(spec.substr(0, mark)));
            if (mark != std::string::npos) genre->AddChildByName(list_, spec.substr(mark + 1));
        }
    }
    CGenreDialog& Open(int mode, const std::string& receiving = {}) {
        dialog_ = std::make_unique<CGenreDialog>(list_, mode, std::string(), prompt_);
        dialog_->SetReceivingGenre(receiving);
        dialog_->show();
        return *dialog_;
    }
    QLineEdit& NameBox() const { return Control<QLineEdit>(*dialog_, kNameBox); }
    QComboBox& Choice() const { return Control<QComboBox>(*dialog_, kChoice); }
    void Click(int id) { QTest::mouseClick(&Control<QPushButton>(*dialog_, id), Qt::LeftButton); }
    QStringList Offered() const {
        QStringList names;
        for (int i = 0; i < Choice().count(); ++i) names << Choice().itemText(i);
        return names;
    }

    CWordList list_;
    CRecordingPrompt prompt_;
    std::unique_ptr<CGenreDialog> dialog_;
};

TEST_F(GenreDialogTest, NewGenreNamesAreTrimmedAndRefusedWhenEmptyTakenOrNotShiftJis) {
    MakeList({"A", Sjis("動物")});
    const std::string refused = "データ不正: ジャンル名の「😀」は Shift-JIS (CP932) で表せない文字です。\r\n"
                                "その文字を除いてから、もう一度入力してください。";
    const struct {
        const char* typed;
        std::string name;  // empty: refused with said
        std::string said;
    } cases[] = {
        {" 植物\t", Sjis("植物"), ""},
        {"a", "a", ""},
        {" \t ", "", "ジャンル未指定: ジャンルを指定してください"},
        {"", "", "ジャンル未指定: ジャンルを指定してください"},
        {" A ", "", "ジャンル名重複: ジャンル名が重複してます。"},
        {"動物", "", "ジャンル名重複: ジャンル名が重複してます。"},
        {"ｶﾅ😀", "", refused},
    };
    for (const auto& c : cases) {
        prompt_.Clear();
        EXPECT_EQ(Open(CGenreDialog::kNewGenre).windowTitle(), QStringLiteral("新規ジャンルの指定"));
        EXPECT_TRUE(NameBox().isVisible() && !Choice().isVisible());
        NameBox().setText(QString::fromUtf8(c.typed));
        Click(kOk);
        EXPECT_EQ(dialog_->GetName(), c.name) << c.typed;
        EXPECT_EQ(dialog_->result(), c.name.empty() ? QDialog::Rejected : QDialog::Accepted) << c.typed;
        EXPECT_EQ(Said(prompt_), c.said.empty() ? std::vector<std::string>{} : std::vector{c.said}) << c.typed;
        if (c.name.empty()) {
            // Still open with what was typed, until cancelled.
            EXPECT_TRUE(dialog_->isVisible() && NameBox().text() == QString::fromUtf8(c.typed));
            Click(kCancel);
            EXPECT_TRUE(!dialog_->isVisible() && dialog_->GetName().empty());
        }
    }
    EXPECT_EQ(prompt_.Messages().back().icon, PromptIcon::Information);
}

TEST_F(GenreDialogTest, ChildGenreModeOffersWhatTheGenreDoesNotIncludeYet) {
    MakeList({"D", "B", "A>B", "C>A", kUndecodable});
    EXPECT_EQ(Open(CGenreDialog::kChildGenre, "A").windowTitle(), QStringLiteral("子ジャンルの指定"));
    EXPECT_TRUE(Choice().isVisible() && !NameBox().isVisible());
    EXPECT_EQ(Offered(), (QStringList{"D", "C", FromCp932(kUndecodable)}));
    EXPECT_EQ(Choice().currentIndex(), 0);
    Choice().setCurrentIndex(2);
    Click(kOk);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(dialog_->GetName(), kUndecodable);  // the stored bytes, not the shown text
    EXPECT_TRUE(prompt_.Messages().empty());

    // Once B includes every other genre, nothing is offered and OK asks for one.
    CGenre& b = *list_.GetGenres()[1];
    for (const char* name : {"D", "A", "C", kUndecodable.c_str()}) b.AddChildByName(list_, name);
    Open(CGenreDialog::kChildGenre, "B");
    EXPECT_TRUE(Offered().isEmpty());
    Click(kOk);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"ジャンル未指定: ジャンルを指定してください"});
    EXPECT_TRUE(dialog_->isVisible());
}

TEST(TextBridge, FirstUnrepresentableNamesTheCharacterARefusalShows) {
    const std::pair<QString, QString> cases[] = {
        {"", ""}, {"abc～〜‐", ""}, {"あ😀い", "😀"}, {"xüé", "ü"}, {QString(QChar(0xD800)) + "a", QString(QChar(0xD800))},
    };
    for (const auto& [text, first] : cases) EXPECT_EQ(FirstUnrepresentable(text), first) << text.toStdString();
}

}  // namespace
