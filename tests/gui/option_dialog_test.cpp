// The options dialog by its control numbers: what opening shows and enables, how the time limit
// is read and refused, the clicks that enable, and browsing for the music file.
#include <QCheckBox>

#include "app/option_dialog.h"
#include "gui/gui_test.h"

namespace {

enum { kHint = 1046, kComplete = 1048, kMusic = 1049, kMusicFile = 1050, kBrowse = 1051, kLimit = 1052, kLimitCheck = 1055 };
const std::string kNotUnsigned = "pellora: 正の整数を入力してください。";
const std::string kOutOfRange = "pellora: 0 から 60 までの整数を入力してください。";

class OptionDialogTest : public testing::Test {
protected:
    COptionDialog& Open(COptionValues values) {
        dialog_ = std::make_unique<COptionDialog>(prompt_);
        dialog_->Values() = std::move(values);
        dialog_->show();
        dialog_->activateWindow();  // the refusals move the focus
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
        return *dialog_;
    }
    QLineEdit& Edit(int id) const { return Control<QLineEdit>(*dialog_, id); }
    // Near the left edge: a check box takes clicks on its box and caption only.
    void Click(int id) {
        QAbstractButton& button = Control<QAbstractButton>(*dialog_, id);
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
    }
    // Check boxes 1049 1048 1046 1055 as 0/1, then 1052 and 1050 as "text/on|off", then 1051.
    std::string State() const {
        std::string state;
        for (int id : {kMusic, kComplete, kHint, kLimitCheck})
            state += Control<QCheckBox>(*dialog_, id).isChecked() ? "1" : "0";
        for (int id : {kLimit, kMusicFile})
            state += " " + Edit(id).text().toStdString() + (Edit(id).isEnabled() ? "/on" : "/off");
        return state + (Control<QPushButton>(*dialog_, kBrowse).isEnabled() ? " on" : " off");
    }

    CRecordingPrompt prompt_;
    std::unique_ptr<COptionDialog> dialog_;
};

TEST_F(OptionDialogTest, OpeningShowsTheValuesAndEnablesByThem) {
    const struct {
        COptionValues values;
        std::string state;
        std::vector<std::string> said;
    } cases[] = {
        {{0, "/m/a.mid", 1, 0, 0}, "0100 0/off /m/a.mid/off off", {}},
        {{1, "", 0, 1, 15}, "1011 15/on /on on", {}},
        // A negative stored limit shows as a large number, refused by each reading step.
        {{1, "x", 0, 0, static_cast<std::uint32_t>(-5)}, "1001 4294967291/on x/on on", {kOutOfRange, kOutOfRange}},
    };
    for (const auto& c : cases) {
        prompt_.Clear();
        EXPECT_EQ(Open(c.values).windowTitle(), QStringLiteral("オプション設定"));
        EXPECT_EQ(State(), c.state);
        EXPECT_EQ(Said(prompt_), c.said);
    }
    EXPECT_EQ(prompt_.Messages().back().icon, PromptIcon::Exclamation);
}

TEST_F(OptionDialogTest, OkStoresTheLimitOnlyWhileCheckedAndRefusesWhatIsNoNumberFromZeroToSixty) {
    const struct {
        bool checked;
        const char* typed;
        std::string said;    // empty: accepted
        std::uint32_t limit;  // after OK, or as taken by the refused reading
    } cases[] = {
        {true, " 15\t", "", 15},     {true, "0", "", 0},           {false, "45", "", 0},
        {true, "61", kOutOfRange, 61}, {true, "15s", kNotUnsigned, 10}, {true, "-1", kNotUnsigned, 10},
        {false, "abc", kNotUnsigned, 10},  // read even while disabled
    };
    for (const auto& c : cases) {
        prompt_.Clear();
        Open({0, "", 0, 0, 10});
        if (!c.checked) Click(kLimitCheck);
        Edit(kLimit).setText(QString::fromUtf8(c.typed));
        Click(kComplete);  // taken before the limit, refused or not
        Click(1);
        EXPECT_EQ(dialog_->Values().timeLimit, c.limit) << c.typed;
        EXPECT_EQ(dialog_->Values().completeMode, 1) << c.typed;
        if (c.said.empty()) {
            EXPECT_EQ(dialog_->result(), QDialog::Accepted) << c.typed;
            EXPECT_EQ(Edit(kLimit).text(), c.checked ? QString::fromUtf8(c.typed) : "0") << c.typed;
            EXPECT_TRUE(prompt_.Messages().empty()) << c.typed;
        } else {
            EXPECT_TRUE(dialog_->isVisible()) << c.typed;
            EXPECT_EQ(Said(prompt_).back(), c.said) << c.typed;
            EXPECT_EQ(Edit(kLimit).selectedText(), Edit(kLimit).text()) << c.typed;
            EXPECT_EQ(Edit(kLimit).hasFocus(), c.checked) << c.typed;
        }
    }
}

TEST_F(OptionDialogTest, ClicksEnableByTheValuesAsReadAndBrowsingWritesEveryValueBack) {
    Open({0, "old.mid", 0, 0, 0});
    Click(kLimitCheck);
    Click(kMusic);
    EXPECT_EQ(State(), "1001 0/on old.mid/on on");
    Edit(kLimit).setText(QStringLiteral("x"));
    Control<QCheckBox>(*dialog_, kHint).setChecked(true);
    Click(kLimitCheck);  // refused before the check box is read: the edit stays enabled
    EXPECT_EQ(State(), "1010 x/on old.mid/on on");
    Click(kMusic);  // refused after the music flag is read: the music file follows it
    EXPECT_EQ(State(), "0010 x/on old.mid/off off");
    Click(kMusic);
    EXPECT_EQ(dialog_->Values().useHint, 1);
    EXPECT_EQ(Said(prompt_), std::vector<std::string>(3, kNotUnsigned));

    // Browsing puts back the limit as last read, and the check box with it.
    prompt_.QueueFile(std::nullopt);
    prompt_.QueueFile("/music/new.mid");
    Click(kBrowse);
    EXPECT_EQ(State(), "1010 x/on old.mid/on on");
    Click(kBrowse);
    EXPECT_EQ(State(), "1011 0/on /music/new.mid/on on");
    ASSERT_EQ(prompt_.FileRequests().size(), 2u);
    const FileDialogRequest& request = prompt_.FileRequests()[0];
    EXPECT_EQ(request.filter + " " + request.defaultExtension + " " + request.initialFileName + " " +
                  request.initialFolder + (request.save ? " save" : ""),
              "midiﾌｧｲﾙ(*.mid)|*.mid mid *.mid .");
}

}  // namespace
