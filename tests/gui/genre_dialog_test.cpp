// The genre dialog in both modes over the genres A, 動物, C (which includes A) and one whose
// name does not decode: what it refuses, what it offers and the name it hands back.
#include <QComboBox>

#include "editor/genre_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/text_bridge.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

const std::string kUndecodable = "X\x85\x40";

class GenreDialogTest : public testing::Test {
protected:
    GenreDialogTest() {
        for (const std::string& name : {std::string("A"), Sjis("動物"), std::string("C"), kUndecodable})
            list_.AddGenre(std::make_unique<CGenre>(name));
        list_.GetGenres()[2]->AddChildByName(list_, "A");
    }
    CGenreDialog& Open(int mode, const std::string& receiving) {
        dialog_ = std::make_unique<CGenreDialog>(list_, mode, std::string(), prompt_);
        dialog_->SetReceivingGenre(receiving);
        dialog_->show();
        return *dialog_;
    }
    QLineEdit& NameBox() const { return Control<QLineEdit>(*dialog_, 1023); }
    QComboBox& Choice() const { return Control<QComboBox>(*dialog_, 1025); }
    void Click(int id) { Control<QPushButton>(*dialog_, id).click(); }

    CWordList list_;
    CRecordingPrompt prompt_;
    std::unique_ptr<CGenreDialog> dialog_;
};

TEST_F(GenreDialogTest, NewNamesAreTrimmedOrRefusedAndChildGenresOfferWhatIsNotIncludedYet) {
    const std::string empty = "ジャンル未指定: ジャンルを指定してください";
    const std::string taken = "ジャンル名重複: ジャンル名が重複してます。";
    const std::string group = "ジャンル名不正: 「問題」と「子ジャンル」はジャンル名に使えません。";
    const std::tuple<const char*, std::string, std::string> cases[] = {  // typed, name (or none), said
        {" 植物\t", Sjis("植物"), ""}, {"a", "a", ""}, {" \t ", "", empty}, {"", "", empty},
        {" A ", "", taken}, {"動物", "", taken},
        {"問題", "", group}, {" 子ジャンル", "", group},
        {"ｶﾅ😀", "", "データ不正: 「ジャンル名」の「😀」(U+1F600) はワードリストに使えない文字です。"},
    };
    for (const auto& [typed, name, said] : cases) {
        prompt_.Clear();
        EXPECT_EQ(Open(CGenreDialog::kNewGenre, "A").windowTitle(), QStringLiteral("新規ジャンルの指定"));
        EXPECT_TRUE(NameBox().isVisible() && !Choice().isVisible());
        NameBox().setText(QString::fromUtf8(typed));
        Click(1);
        EXPECT_EQ(dialog_->GetName(), name) << typed;
        EXPECT_EQ(Said(prompt_), said.empty() ? std::vector<std::string>{} : std::vector{said}) << typed;
        // A refusal keeps the dialog open with what was typed, until cancelled.
        EXPECT_EQ(dialog_->isVisible() && NameBox().text() == QString::fromUtf8(typed), name.empty()) << typed;
        if (name.empty()) Click(2);
        EXPECT_EQ(dialog_->result(), name.empty() ? QDialog::Rejected : QDialog::Accepted) << typed;
    }
    EXPECT_EQ(prompt_.Messages().back().icon, PromptIcon::Information);
    EXPECT_EQ(NameBox().selectedText(), QStringLiteral("😀"));  // the refused character, ready to be typed over

    prompt_.Clear();
    EXPECT_EQ(Open(CGenreDialog::kChildGenre, "C").windowTitle(), QStringLiteral("子ジャンルの指定"));
    EXPECT_TRUE(Choice().isVisible() && !NameBox().isVisible());
    ASSERT_EQ(Choice().count(), 2);
    EXPECT_EQ(Choice().currentText() + Choice().itemText(1), "動物" + FromCp932(kUndecodable));
    Choice().setCurrentIndex(1);
    Click(1);
    EXPECT_EQ(dialog_->GetName(), kUndecodable);  // the stored bytes, not the shown text

    // The only genre offered is chosen already, and OK takes it.
    list_.GetGenres()[2]->AddChildByName(list_, Sjis("動物"));
    Open(CGenreDialog::kChildGenre, "C");
    Click(1);
    EXPECT_EQ(dialog_->GetName(), kUndecodable);
    // Once C includes every other genre, nothing is offered and OK asks for one.
    list_.GetGenres()[2]->AddChildByName(list_, kUndecodable);
    Open(CGenreDialog::kChildGenre, "C");
    EXPECT_EQ(Choice().count(), 0);
    Click(1);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"ジャンル未指定: ジャンルを指定してください"});
    EXPECT_TRUE(dialog_->isVisible());
}

TEST(TextBridge, FirstUnrepresentableNamesTheCharacterARefusalShows) {
    const QString lone(QChar(0xD800));
    using Case = std::pair<QString, QString>;
    for (const auto& [text, first] : {Case{"abc～〜‐", ""}, Case{"あ😀い", "😀"}, Case{"xüé", "ü"}, Case{lone + "a", lone}})
        EXPECT_EQ(FirstUnrepresentable(text), first) << text.toStdString();
}

}  // namespace
