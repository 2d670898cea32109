// The options dialog by its control numbers: how the time limit is read and refused, what
// opening and the clicks enable, and browsing for the music file.
#include <QCheckBox>

#include "app/option_dialog.h"
#include "gui/gui_test.h"

namespace {

enum { kHint = 1046, kComplete = 1048, kMusic = 1049, kMusicFile = 1050, kBrowse = 1051, kLimit = 1052, kCheck = 1055 };
const std::string kNotUnsigned = "pellora: 正の整数を入力してください。";
const std::string kOutOfRange = "pellora: 0 から 60 までの整数を入力してください。";

class OptionDialogTest : public testing::Test {
protected:
    void Open(COptionValues values) {
        dialog_ = std::make_unique<COptionDialog>(prompt_);
        dialog_->Values() = std::move(values);
        ShowActive(*dialog_);  // the refusals move the focus
    }
    QLineEdit& Edit(int id) const { return Control<QLineEdit>(*dialog_, id); }
    QCheckBox& Box(int id) const { return Control<QCheckBox>(*dialog_, id); }
    void Click(int id) { Control<QAbstractButton>(*dialog_, id).click(); }
    // Check boxes 1049 1048 1046 1055, then "text/on|off" of 1052 and 1050, then whether 1051 is on.
    std::string State() const {
        std::string state;
        for (int id : {kMusic, kComplete, kHint, kCheck}) state += Box(id).isChecked() ? "1" : "0";
        for (int id : {kLimit, kMusicFile}) state += " " + Edit(id).text().toStdString() + (Edit(id).isEnabled() ? "/on" : "/off");
        return state + (Control<QPushButton>(*dialog_, kBrowse).isEnabled() ? " on" : " off");
    }

    CRecordingPrompt prompt_;
    std::unique_ptr<COptionDialog> dialog_;
};

TEST_F(OptionDialogTest, TheLimitIsStoredOnlyWhileCheckedOrRefusedAndClicksEnableByTheValuesAsRead) {
    const std::tuple<bool, const char*, std::string, std::uint32_t> cases[] = {
        // checked, typed, said (empty: accepted), the limit after OK or as the refused reading took it
        {true, " 15\t", "", 15}, {true, "0", "", 0}, {false, "45", "", 0}, {true, "61", kOutOfRange, 61},
        {true, "15s", kNotUnsigned, 10}, {true, "-1", kNotUnsigned, 10},
        {false, "abc", kNotUnsigned, 10},  // read even while disabled
    };
    for (const auto& [checked, typed, said, limit] : cases) {
        prompt_.Clear();
        Open({0, "", 0, 0, 10});
        if (!checked) Click(kCheck);
        Edit(kLimit).setText(QString::fromUtf8(typed));
        Click(1);
        EXPECT_EQ(dialog_->Values().timeLimit, limit) << typed;
        EXPECT_EQ(dialog_->result(), said.empty() ? QDialog::Accepted : QDialog::Rejected) << typed;
        EXPECT_EQ(Said(prompt_), said.empty() ? std::vector<std::string>{} : std::vector{said}) << typed;
        // Refused: the whole text selected, and the focus on the edit where it can take it.
        EXPECT_EQ(said.empty() ? Edit(kLimit).text() : Edit(kLimit).selectedText(),
                  said.empty() && !checked ? "0" : QString::fromUtf8(typed)) << typed;
        EXPECT_EQ(Edit(kLimit).hasFocus(), !said.empty() && checked) << typed;
    }
    EXPECT_EQ(prompt_.Messages().back().icon, PromptIcon::Exclamation);

    prompt_.Clear();
    Open({0, "old.mid", 1, 0, 0});
    EXPECT_EQ(dialog_->windowTitle() + " " + QString::fromStdString(State()), "オプション設定 0100 0/off old.mid/off off");
    Box(kComplete).setChecked(false);
    Click(kCheck);
    Click(kMusic);
    EXPECT_EQ(State(), "1001 0/on old.mid/on on");
    Edit(kLimit).setText(QStringLiteral("x"));
    Box(kHint).setChecked(true);
    Click(kCheck);  // refused before the check box is read: the edit stays enabled
    EXPECT_EQ(State(), "1010 x/on old.mid/on on");
    Click(kMusic);  // refused after the music flag is read: the music file follows it
    EXPECT_EQ(State(), "0010 x/on old.mid/off off");
    Click(kMusic);
    EXPECT_EQ(dialog_->Values().useHint, 1);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>(3, kNotUnsigned));

    // Browsing changes the music file alone; a cancelled browse not even that.
    Click(kBrowse);
    EXPECT_EQ(State(), "1010 x/on old.mid/on on");
    prompt_.QueueFile("/music/new.mid");
    Click(kBrowse);
    EXPECT_EQ(State(), "1010 x/on /music/new.mid/on on");
    ASSERT_EQ(prompt_.FileRequests().size(), 2u);
    const FileDialogRequest& file = prompt_.FileRequests()[1];
    EXPECT_EQ(file.filter + " " + file.defaultExtension + " " + file.initialFileName + " " + file.initialFolder +
                  (file.save ? " save" : ""), "midiﾌｧｲﾙ(*.mid)|*.mid mid *.mid .");
}

}  // namespace
