// The editor window driven by control and command numbers: the tree it shows, loading and
// reading the question fields with their refusals, the genre dialog, delete all, help and the end.
#include <QCheckBox>
#include <QComboBox>
#include <QTreeView>

#include "app/app_settings.h"
#include "editor/edit_dialog.h"
#include "gui/gui_test.h"
#include "platform/qt/help_viewer.h"
#include "wordlist/genre.h"

namespace {

constexpr std::string_view kFile =
    "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,b;\r\nPL_PRIMITIVE;\r\nZeta,1,z;\r\nalpha,2,a,b;\r\nPL_INFO,one\r\ntwo;\r\n"
    "PL_INCLUDE;\r\nC;\r\nPL_BLOCK_END;\r\nPL_BLOCK,C;\r\nPL_PRIMITIVE;\r\nbeta,-1,r,w;\r\nPL_BLOCK_END;\r\n";

class EditorDialogTest : public testing::Test {
protected:
    EditorDialogTest() {
        WriteFileBytes(dir_ / "lesson.wl", Sjis(kFile));
        EXPECT_EQ(LoadWordList(prompt_, source_, dir_ / "lesson.wl"), 1);
        settings_.currentFile = (dir_ / "lesson.wl").string();
        Open();
    }
    void Open() {
        dialog_ = std::make_unique<CEditDialog>(source_, settings_, prompt_);
        ShowActive(*dialog_);
    }
    QTreeView& Tree() const { return Control<QTreeView>(*dialog_, CEditDialog::kTree); }
    QPlainTextEdit& Field(int id) const { return Control<QPlainTextEdit>(*dialog_, id); }
    QLineEdit& Count() const { return Control<QLineEdit>(*dialog_, CEditDialog::kCount); }
    QCheckBox& Choice() const { return Control<QCheckBox>(*dialog_, CEditDialog::kChoice); }
    QAction& Item(int command) const { return Command(*dialog_, command); }
    // The index at a path of labels ("b/問題/Zeta"), expanded to be seen.
    QModelIndex At(const QString& path) const {
        QModelIndex index;
        for (const QString& label : path.split(u'/')) {
            const QModelIndexList found = Tree().model()->match(Tree().model()->index(0, 0, index), Qt::DisplayRole, label, 1,
                                                                Qt::MatchExactly);
            index = found.value(0);
            Tree().expand(index);
        }
        return index;
    }
    void Click(const QString& path, bool twice = false) {
        const QPoint centre = Tree().visualRect(At(path)).center();
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        if (twice) QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
    QStringList Labels(const QModelIndex& parent = {}) const {
        QStringList labels;
        for (int row = 0; row < Tree().model()->rowCount(parent); ++row)
            labels << Tree().model()->index(row, 0, parent).data().toString();
        return labels;
    }
    QString Dump(const QModelIndex& parent = {}) const {
        QStringList items;
        for (const QString& label : Labels(parent)) {
            const QModelIndex index = Tree().model()->index(static_cast<int>(items.size()), 0, parent);
            items << (Tree().model()->rowCount(index) > 0 ? label + "[" + Dump(index) + "]" : label);
        }
        return items.join(u' ');
    }
    QString SelectedPath() const {
        QStringList path;
        for (QModelIndex i = Tree().selectionModel()->selectedIndexes().value(0); i.isValid(); i = i.parent()) path.prepend(i.data().toString());
        return path.join(u'/');
    }
    // The tree, what the working copy holds, the flag and whether undo and redo are offered.
    std::string State() const {
        std::string state = Dump().toStdString() + " | ";
        for (const auto& genre : dialog_->GetWorkingCopy().GetGenres()) {
            for (const CGenreEntry& e : genre->GetEntries()) state += e.GetQuestion() ? e.GetQuestion()->PeekText() : e.GetChild()->GetName();
            state += std::string(genre->GetName()) + " ";
        }
        for (bool on : {dialog_->IsModified(), Item(CEditDialog::kUndo).isEnabled(), Item(CEditDialog::kRedo).isEnabled()}) state += "01"[on];
        return state;
    }
    std::string Questions(const char* genre) const {
        std::string texts;
        for (const CGenreEntry& entry : dialog_->GetWorkingCopy().FindGenre(Sjis(genre))->GetEntries())
            if (const CQuestion* question = entry.GetQuestion()) texts += std::string(question->PeekText()) + ";";
        return texts;
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    CWordList source_;
    std::unique_ptr<CEditDialog> dialog_;
};

enum class Way { Button, EnterInCount, EnterInTree, EnterInChoice, Menu, Replace };

TEST_F(EditorDialogTest, ShowsTheTreeLoadsByDoubleClickAndAddsOrReplacesFromTheFieldsOrRefuses) {
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Harbor Lessons - 編集 - lesson.wl"));
    EXPECT_EQ(Labels(), (QStringList{"b", "C"}));
    EXPECT_EQ(Labels(At("b")), (QStringList{"問題", "子ジャンル"}));
    EXPECT_EQ(Labels(At("b/問題")), (QStringList{"alpha", "Zeta"}));
    Click("b/問題/alpha", true);
    EXPECT_EQ(Field(CEditDialog::kQuestion).toPlainText() + "|" + Field(CEditDialog::kAnswers).toPlainText() + "|" +
                  Count().text() + "|" + Field(CEditDialog::kExplanation).toPlainText(),
              QStringLiteral("alpha|a\nb\n|2|one\ntwo"));
    EXPECT_TRUE(Item(CEditDialog::kReplace).isEnabled());
    Click("C/問題/beta", true);
    EXPECT_TRUE(Choice().isChecked());
    EXPECT_FALSE(Count().isEnabled());
    EXPECT_EQ(Count().text(), QStringLiteral("2"));  // left as it was
    Click("b/問題/Zeta", true);  // a typed question after a choice question: the count is back
    EXPECT_TRUE(Count().isEnabled());
    Click("C", true);  // a genre leaves the fields alone
    EXPECT_EQ(Field(CEditDialog::kQuestion).toPlainText(), QStringLiteral("Zeta"));
    EXPECT_FALSE(Item(CEditDialog::kReplace).isEnabled());
    Click("b/子ジャンル/C");  // nor is a child-genre item a question
    EXPECT_FALSE(Item(CEditDialog::kReplace).isEnabled());
    EXPECT_FALSE(Count().testAttribute(Qt::WA_InputMethodEnabled));
    Item(CEditDialog::kNew).trigger();  // nothing unsaved: a new list at once
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Harbor Lessons - 編集 - 新規作成"));

    const struct {
        Way way;
        const char* selected;  // "" none
        const char* question;
        const char* answers;
        bool choice;
        std::string said;  // "" taken
        const char* bQuestions;
    } cases[] = {
        {Way::Button, "", "q", "a", false, "未選択: 項目を選択してから実行してください。", "Zeta;alpha;"},
        {Way::EnterInCount, "b", " \n", "a", false, "データ不正: 先に問題データを設定してください。", "Zeta;alpha;"},
        {Way::Menu, "b", "q", "a", true, "データ不正: 選択問題の場合、選択項目は 2 ～ 5 の間で指定して下さい。", "Zeta;alpha;"},
        {Way::Replace, "b/問題/Zeta", "q😀", "a", false, "データ不正: 「問題」の「😀」(U+1F600) はワードリストに使えない文字です。", "Zeta;alpha;"},
        {Way::Button, "b/問題/Zeta", "新\nしい", "a\n\n b", false, "", "Zeta;alpha;新\r\nしい;"},
        {Way::EnterInTree, "b", "q", "a", false, "", "Zeta;alpha;q;"},
        {Way::EnterInChoice, "b", "q", "a\nb", true, "", "Zeta;alpha;q;"},
        {Way::Replace, "b/問題/Zeta", "q", "x\ny", true, "", "alpha;q;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        Open();
        prompt_.Clear();
        if (*c.selected) Click(QString::fromUtf8(c.selected));
        Field(CEditDialog::kQuestion).setPlainText(QString::fromUtf8(c.question));
        Field(CEditDialog::kAnswers).setPlainText(QString::fromUtf8(c.answers));
        Field(CEditDialog::kExplanation).setPlainText(QStringLiteral("説明\n"));
        Choice().setChecked(c.choice);
        switch (c.way) {
        case Way::Button: QTest::mouseClick(&Control<QPushButton>(*dialog_, CEditDialog::kAdd), Qt::LeftButton); break;
        case Way::EnterInCount: Count().setFocus(); QTest::keyClick(&Count(), Qt::Key_Return); break;
        case Way::EnterInTree: Tree().setFocus(); QTest::keyClick(&Tree(), Qt::Key_Return); break;
        case Way::EnterInChoice: Choice().setFocus(); QTest::keyClick(&Choice(), Qt::Key_Return); break;
        case Way::Menu: Item(CEditDialog::kAddQuestion).trigger(); break;
        case Way::Replace: Item(CEditDialog::kReplace).trigger(); break;
        }
        EXPECT_EQ(Said(prompt_), c.said.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.said});
        EXPECT_EQ(Sjis(c.bQuestions), Questions("b"));
        EXPECT_EQ(dialog_->IsModified(), c.said.empty());
        // The new or replaced item is selected; the button and Enter leave the focus in 1000.
        EXPECT_TRUE(!c.said.empty() || Tree().currentIndex().data().toString().remove(u'\r') == QString::fromUtf8(c.question));
        EXPECT_TRUE(c.way == Way::Menu || c.way == Way::Replace || Field(CEditDialog::kQuestion).hasFocus());
    }
    const CQuestion* replaced = dialog_->GetWorkingCopy().FindGenre("b")->FindQuestion("q");
    EXPECT_EQ(replaced->GetRequired(), -1);
    EXPECT_EQ(std::string(replaced->GetExplanation()), Sjis("説明\r\n"));
}

TEST_F(EditorDialogTest, GenresThroughTheGenreDialogDeletingAndTheEnd) {
    CModalScript script;
    script.Then([](QDialog& genre) {
        Control<QLineEdit>(genre, 1023).setText(QStringLiteral("新"));
        QTest::mouseClick(&Control<QPushButton>(genre, 1), Qt::LeftButton);
    });
    Item(CEditDialog::kNewGenre).trigger();
    EXPECT_EQ(Labels(), (QStringList{"b", "C", "新"}));
    script.Then([](QDialog& genre) {
        Control<QComboBox>(genre, 1025).setCurrentIndex(Control<QComboBox>(genre, 1025).findText(QStringLiteral("新")));
        QTest::mouseClick(&Control<QPushButton>(genre, 1), Qt::LeftButton);
    });
    Click("C/問題/beta");
    Item(CEditDialog::kAddChildGenre).trigger();
    EXPECT_EQ(Labels(At("C/子ジャンル")), QStringList{"新"});
    EXPECT_EQ(Tree().currentIndex(), At("C/子ジャンル/新"));

    // Cancel asks first; delete all asks, and leaves nothing to save.
    prompt_.QueueAnswer(PromptAnswer::No);
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog_->isVisible());
    prompt_.QueueAnswer(PromptAnswer::Cancel);
    Item(CEditDialog::kDeleteAll).trigger();
    EXPECT_EQ(Tree().model()->rowCount(), 3);
    Item(CEditDialog::kDeleteAll).trigger();
    EXPECT_EQ(Tree().model()->rowCount(), 0);
    EXPECT_FALSE(dialog_->IsModified());
    for (int command : {CEditDialog::kAddQuestion, CEditDialog::kAddChildGenre, CEditDialog::kDeleteSelected,
                        CEditDialog::kDeleteAll, CEditDialog::kSaveAs, CEditDialog::kSave})
        EXPECT_FALSE(Item(command).isEnabled()) << command;
    const std::string all = "全削除: すべての項目が削除されます。\r\nよろしいですか？";
    EXPECT_EQ(Said(prompt_), (std::vector<std::string>{"未保存: 編集された内容が破棄されます。\r\nよろしいですか?", all, all}));
    for (const auto& message : prompt_.Messages()) EXPECT_EQ(message.defaultButton, PromptDefault::Last);  // Enter keeps the work
    // Help opens at the editor's topic.
    settings_.helpFile = dir_ / "HARBORLESSONS.HLP";
    WriteFileBytes(settings_.helpFile, "<p>top</p><p><a name=\"topic4\"></a>edit</p>");
    Item(CEditDialog::kHelp).trigger();
    EXPECT_EQ(dialog_->findChild<CHelpViewer*>()->Browser()->source().fragment(), QStringLiteral("topic4"));
    Control<QPushButton>(*dialog_, CEditDialog::kFinish).setFocus();
    QTest::keyClick(&Control<QPushButton>(*dialog_, CEditDialog::kFinish), Qt::Key_Return);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(script.Seen(), (QStringList{"CGenreDialog", "CGenreDialog"}));
}

// Each command through the window, then Ctrl+Z, Ctrl+Y, Ctrl+Z and Ctrl+Shift+Z: the tree, the
// working copy, the flag, the selection and the undo and redo items follow.
TEST_F(EditorDialogTest, EachCommandIsUndoneAndRedoneWithTheTreeTheCopyTheFlagAndTheSelection) {
    auto name = [](const char* typed) {
        return [=](QDialog& genre) { Control<QLineEdit>(genre, 1023).setText(QString::fromUtf8(typed)), Control<QPushButton>(genre, 1).click(); };
    };
    const struct {
        int command;
        const char* selected;
        std::function<void(QDialog&)> genreDialog;  // and first a new genre 新, when it is a child genre
        const char* tree;                            // after the command
        const char* selectedAfter;
    } cases[] = {
        {CEditDialog::kAddQuestion, "C", {}, "b[問題[alpha Zeta] 子ジャンル[C]] C[問題[beta q]]", "C/問題/q"},
        {CEditDialog::kReplace, "b/問題/Zeta", {}, "b[問題[alpha q] 子ジャンル[C]] C[問題[beta]]", "b/問題/q"},
        {CEditDialog::kNewGenre, "b", name("d"), "b[問題[alpha Zeta] 子ジャンル[C]] C[問題[beta]] d", "b"},
        {CEditDialog::kAddChildGenre, "新", [](QDialog& genre) { Control<QPushButton>(genre, 1).click(); },
         "b[問題[alpha Zeta] 子ジャンル[C]] C[問題[beta]] 新[子ジャンル[b]]", "新/子ジャンル/b"},
        {CEditDialog::kDeleteSelected, "b/子ジャンル", {}, "b[問題[alpha Zeta]] C[問題[beta]]", "b/問題"},
        {CEditDialog::kDeleteAll, "b", {}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Open();
        CModalScript script;
        if (c.command == CEditDialog::kAddChildGenre) script.Then(name("新")), Item(CEditDialog::kNewGenre).trigger();
        if (c.genreDialog) script.Then(c.genreDialog);
        Click(QString::fromUtf8(c.selected));
        Field(CEditDialog::kQuestion).setPlainText(QStringLiteral("q")), Field(CEditDialog::kAnswers).setPlainText(QStringLiteral("a"));
        const std::string before = State();
        Item(c.command).trigger();
        const std::string after = State();
        EXPECT_EQ(Dump(), QString::fromUtf8(c.tree));
        EXPECT_EQ(SelectedPath(), QString::fromUtf8(c.selectedAfter));
        ShowActive(*dialog_), Tree().setFocus();  // again the active window once a genre dialog has gone
        const QKeyCombination keys[] = {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z};
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            QTest::keyClick(&Tree(), keys[i].key(), keys[i].keyboardModifiers());
            const bool undone = i % 2 == 0;
            EXPECT_EQ(State(), undone ? before.substr(0, before.size() - 1) + "1" : after) << i;
            EXPECT_EQ(SelectedPath(), QString::fromUtf8(undone ? c.selected : c.selectedAfter)) << i;
        }
    }
}

// Corners: a save the prompt asked for names its file even when the command then stops; a
// replace or delete whose item its genre does not hold does nothing; a right-click selects; a
// character CP932 cannot hold is shown selected in its field.
TEST_F(EditorDialogTest, CornersKeepTheFileNameTheWorkAndTheFocusRight) {
    Click("b"), Item(CEditDialog::kDeleteSelected).trigger();
    prompt_.QueueAnswer(PromptAnswer::Yes), prompt_.QueueFile((dir_ / "saved.wl").string()), prompt_.QueueFile(std::nullopt);
    Item(CEditDialog::kOpen).trigger();
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Harbor Lessons - 編集 - saved.wl"));

    WriteFileBytes(dir_ / "twice.wl", Sjis("_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,d;\r\nPL_PRIMITIVE;\r\nx,1,a;\r\ny,1,a;\r\nPL_BLOCK_END;\r\n"
                                          "PL_BLOCK,d;\r\nPL_PRIMITIVE;\r\ny,1,a;\r\nPL_BLOCK_END;\r\n"));
    EXPECT_EQ(LoadWordList(prompt_, source_, dir_ / "twice.wl"), 1);
    Open();
    prompt_.Clear();
    Tree().setCurrentIndex(Tree().model()->index(0, 0, Tree().model()->index(0, 0, Tree().model()->index(1, 0))));  // d/問題/y
    for (int command : {CEditDialog::kReplace, CEditDialog::kDeleteSelected}) Item(command).trigger();
    EXPECT_EQ(Dump(), QStringLiteral("d[問題[x y]] d[問題[y]]"));  // the first d's y stays too
    EXPECT_FALSE(dialog_->IsModified());
    EXPECT_TRUE(prompt_.Messages().empty());  // the empty fields were not read

    QTimer::singleShot(50, [] { QApplication::activePopupWidget()->close(); });
    emit Tree().customContextMenuRequested(Tree().visualRect(Tree().model()->index(0, 0)).center());
    EXPECT_EQ(Tree().currentIndex(), Tree().model()->index(0, 0));

    Field(CEditDialog::kQuestion).setPlainText(QStringLiteral("q")), Field(CEditDialog::kAnswers).setPlainText(QStringLiteral("a"));
    Field(CEditDialog::kExplanation).setPlainText(QStringLiteral("説明😀です"));
    Item(CEditDialog::kAddQuestion).trigger();
    EXPECT_EQ(Said(prompt_), std::vector<std::string>{"データ不正: 「解説」の「😀」(U+1F600) はワードリストに使えない文字です。"});
    EXPECT_TRUE(Field(CEditDialog::kExplanation).hasFocus());
    EXPECT_EQ(Field(CEditDialog::kExplanation).textCursor().selectedText(), QStringLiteral("😀"));
}

}  // namespace
