#include "editor/edit_dialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeView>

#include "app/app_settings.h"
#include "editor/edit_dialog_refusal.h"
#include "editor/edit_dialog_tree.h"
#include "editor/genre_dialog.h"
#include "editor/question_fields.h"
#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/text_bridge.h"

namespace {

constexpr int kTemplateId = 138;
constexpr int kHelpTopic = 4;

// The fields' line breaks are LF; texts of the word list break lines with CR LF.
QString ToFieldText(std::string_view bytes) { return FromCp932(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
QString FromFieldText(QString text) { return text.replace(u'\n', QStringLiteral("\r\n")); }

}  // namespace

CEditDialog::CEditDialog(const CWordList& source, CAppSettings& settings, CPrompt& prompt, QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt), session_(source, settings, prompt, SortLabelsByLocale) {
    BuildWindow();
    SetCaption();
    session_.BuildTree();
}

CEditDialog::~CEditDialog() = default;

void CEditDialog::BuildWindow() {
    const CDialogTemplate dialogTemplate = LoadDialogTemplate(kTemplateId);
    BuildDialog(*this, dialogTemplate);
    ApplyBackground(*this);
    tree_ = RequireControl<QTreeView>(*this, kTree);
    question_ = RequireControl<QPlainTextEdit>(*this, kQuestion);
    answers_ = RequireControl<QPlainTextEdit>(*this, kAnswers);
    explanation_ = RequireControl<QPlainTextEdit>(*this, kExplanation);
    count_ = RequireControl<QLineEdit>(*this, kCount);
    choice_ = RequireControl<QCheckBox>(*this, kChoice);

    model_ = new CEditTreeModel(session_.GetTree(), this);
    tree_->setModel(model_);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    answers_->setLineWrapMode(QPlainTextEdit::NoWrap);
    count_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), count_));
    // The count is digits only: no input method ever converts there.
    count_->setAttribute(Qt::WA_InputMethodEnabled, false);
    count_->setInputMethodHints(Qt::ImhDigitsOnly);
    for (QWidget* field : {static_cast<QWidget*>(question_), static_cast<QWidget*>(answers_),
                           static_cast<QWidget*>(explanation_), static_cast<QWidget*>(count_)})
        field->installEventFilter(this);
    for (auto* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateMenu(); });
    connect(tree_, &QTreeView::doubleClicked, this, &CEditDialog::LoadQuestion);
    connect(tree_, &QTreeView::customContextMenuRequested, this, &CEditDialog::ShowContextMenu);
    connect(RequireControl<QPushButton>(*this, kAdd), &QPushButton::clicked, this, &CEditDialog::AddFromButton);
    connect(RequireControl<QPushButton>(*this, kFinish), &QPushButton::clicked, this, &CEditDialog::Finish);
    connect(RequireControl<QPushButton>(*this, kCancel), &QPushButton::clicked, this, &CEditDialog::reject);
    for (QPlainTextEdit* field : {question_, answers_, explanation_})
        connect(field, &QPlainTextEdit::textChanged, this, &CEditDialog::UpdateMenu);
    connect(count_, &QLineEdit::textChanged, this, &CEditDialog::UpdateMenu);
    connect(choice_, &QCheckBox::toggled, this, &CEditDialog::UpdateMenu);

    BuildMenu();
    // The template measures the client area below the menu; the window can be sized (the
    // tree and the text fields take the room) and fits its screen.
    const int menuHeight = menuBar_->isNativeMenuBar() ? 0 : menuBar_->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != menuBar_) child->move(child->pos() + QPoint(0, menuHeight));
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    resize(width(), height() + menuHeight);
}

void CEditDialog::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    auto add = [this](QMenu* menu, int command, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::number(command));
        connect(action, &QAction::triggered, this, [this, command] { Dispatch(command); });
        return action;
    };
    QMenu* file = menuBar_->addMenu(QStringLiteral("ファイル(&F)"));
    add(file, kNew, "新規作成(&N)");
    add(file, kOpen, "開く(&O)");
    add(file, kSaveAs, "名前をつけて保存(&V)");
    add(file, kSave, "上書き保存(&S)");
    file->addSeparator();
    add(file, kFinishCommand, "戻る(&X)");
    editMenu_ = menuBar_->addMenu(QStringLiteral("編集(&E)"));
    add(editMenu_, kUndo, "元に戻す(&U)")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    add(editMenu_, kRedo, "やり直し(&R)")
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    editMenu_->addSeparator();
    QMenu* adding = editMenu_->addMenu(QStringLiteral("追加(&A)"));
    add(adding, kAddQuestion, "問題");
    add(adding, kNewGenre, "新規ジャンル");
    add(adding, kAddChildGenre, "子ジャンル");
    QMenu* deleting = editMenu_->addMenu(QStringLiteral("削除(&D)"));
    add(deleting, kDeleteSelected, "選択された項目");
    add(deleting, kDeleteAll, "すべて");
    add(editMenu_, kReplace, "置換(&R)");
    add(menuBar_->addMenu(QStringLiteral("ヘルプ(&H)")), kHelp, "ヘルプ(&H)");
}

void CEditDialog::SetCaption() { setWindowTitle(QString::fromStdString(session_.Caption())); }

int CEditDialog::SelectedItem() const {
    // The view's current item is only where the keyboard is; the selected one is what counts.
    const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? CEditTree::kNone : model_->ItemOf(selected.first());
}

void CEditDialog::Select(int item) {
    const QModelIndex index = model_->IndexOf(item);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) tree_->expand(parent);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
}

void CEditDialog::UpdateMenu() {
    const EditMenuState state = session_.UpdateMenuState(SelectedItem());
    for (int command : {kAddQuestion, kAddChildGenre, kDeleteSelected, kDeleteAll, kSaveAs, kSave})
        menuBar_->findChild<QAction*>(QString::number(command))->setEnabled(state.items);
    menuBar_->findChild<QAction*>(QString::number(kReplace))->setEnabled(state.replace);
    menuBar_->findChild<QAction*>(QString::number(kUndo))->setEnabled(state.undo);
    menuBar_->findChild<QAction*>(QString::number(kRedo))->setEnabled(state.redo);
}

void CEditDialog::Dispatch(int command) {
    EditOutcome outcome;
    switch (command) {
    case kAddQuestion: outcome = AddQuestion(); break;
    case kNewGenre: outcome = NewGenre(); break;
    case kAddChildGenre: outcome = AddChildGenre(); break;
    case kDeleteSelected: outcome = DeleteSelected(); break;
    case kDeleteAll: session_.DeleteAll(SelectedItem()); break;
    case kReplace: outcome = ReplaceQuestion(); break;
    case kUndo: outcome = session_.Undo(); break;  // reports no change: the history sets the flag
    case kRedo: outcome = session_.Redo(); break;
    case kHelp: ShowHelpFile(*this, prompt_, settings_.helpFile, kHelpTopic); break;
    case kFinishCommand: Finish(); break;
    default: RunFileCommand(command); break;
    }
    session_.NoteChange(outcome);
    if (outcome.select != CEditTree::kNone) Select(outcome.select);
    UpdateMenu();
}

void CEditDialog::RunFileCommand(int command) {
    switch (command) {
    case kNew: session_.New(); break;
    case kOpen: session_.Open(); break;
    case kSaveAs: session_.SaveAs(); break;
    case kSave: session_.Save(); break;
    default: return;
    }
    // Also when not completed: a save the prompt asked for may have named a new file.
    SetCaption();
}

bool CEditDialog::ReadFields(QuestionFields& fields, std::string& explanation) {
    const struct {
        QWidget* field;
        const char* name;
        QString text;
    } read[] = {
        {question_, "問題", FromFieldText(question_->toPlainText())},
        {answers_, "答え", answers_->toPlainText()},
        {count_, "必要解答数", count_->text()},
        {explanation_, "解説", FromFieldText(explanation_->toPlainText())},
    };
    std::string bytes[std::size(read)];
    for (std::size_t i = 0; i < std::size(read); ++i) {
        // Nothing is stored as a stand-in character: text CP932 cannot hold is refused.
        std::optional<std::string> converted = FieldBytes(prompt_, *read[i].field, QString::fromUtf8(read[i].name), read[i].text);
        if (!converted) return false;
        bytes[i] = std::move(*converted);
    }
    const FieldsRefusal refusal = ReadQuestionFields({bytes[0], bytes[1], bytes[2], choice_->isChecked()}, fields);
    if (refusal != FieldsRefusal::None) {
        prompt_.ShowMessage(FieldsRefusalText(refusal), std::string(kFieldsRefusalCaption), PromptIcon::Information,
                            PromptButtons::Ok);
        return false;
    }
    explanation = std::move(bytes[3]);
    return true;
}

EditOutcome CEditDialog::AddQuestion() {
    const int selected = SelectedItem();
    QuestionFields fields;
    std::string explanation;
    if (!session_.RequireSelection(selected) || !ReadFields(fields, explanation)) return {};
    return session_.AddQuestion(selected, fields, explanation);
}

EditOutcome CEditDialog::ReplaceQuestion() {
    const int selected = SelectedItem();
    // An item that is not a question of its genre: nothing happens, and no field is read.
    if (!session_.RequireSelection(selected) || !session_.CanReplace(selected)) return {};
    QuestionFields fields;
    std::string explanation;
    if (!ReadFields(fields, explanation)) return {};
    return session_.ReplaceQuestion(selected, fields, explanation);
}

EditOutcome CEditDialog::NewGenre() {
    CGenreDialog dialog(session_.GetWorkingCopy(), CGenreDialog::kNewGenre, std::string(), prompt_, this);
    if (dialog.exec() != QDialog::Accepted) return {};
    return session_.AddGenre(dialog.GetName(), SelectedItem());
}

EditOutcome CEditDialog::AddChildGenre() {
    const int selected = SelectedItem();
    if (!session_.RequireSelection(selected)) return {};
    CGenreDialog dialog(session_.GetWorkingCopy(), CGenreDialog::kChildGenre, std::string(), prompt_, this);
    dialog.SetReceivingGenre(std::string(session_.ReceivingGenre(selected)));
    if (dialog.exec() != QDialog::Accepted) return {};
    return session_.AddChildGenre(selected, dialog.GetName());
}

EditOutcome CEditDialog::DeleteSelected() {
    const int selected = SelectedItem();
    if (!session_.RequireSelection(selected)) return {};
    return session_.DeleteItem(selected);
}

void CEditDialog::AddFromButton() {
    Dispatch(kAddQuestion);
    // Ready for the next question, whether this one was taken or not.
    question_->setFocus();
    question_->selectAll();
    question_->ensureCursorVisible();
}

void CEditDialog::LoadQuestion(const QModelIndex& index) {
    const std::optional<QuestionView> view = session_.LoadQuestion(model_->ItemOf(index));
    if (!view) return;
    question_->setPlainText(ToFieldText(view->text));
    answers_->setPlainText(ToFieldText(view->answers));
    const bool choice = view->required == -1;
    choice_->setChecked(choice);
    count_->setEnabled(!choice);
    if (!choice) count_->setText(QString::number(view->required));
    explanation_->setPlainText(ToFieldText(view->explanation));
}

void CEditDialog::ShowContextMenu(const QPoint& position) {
    const QModelIndex under = tree_->indexAt(position);
    if (under.isValid()) tree_->setCurrentIndex(under);
    editMenu_->exec(tree_->viewport()->mapToGlobal(position));
}

void CEditDialog::Finish() {
    switch (session_.Finish()) {
    case EditEnd::Ok: accept(); break;
    case EditEnd::Cancel: QDialog::reject(); break;
    case EditEnd::Stay: SetCaption(); break;  // a save the prompt asked for may have named a file
    }
}

void CEditDialog::reject() {
    if (session_.Cancel() == EditEnd::Cancel) QDialog::reject();
}

void CEditDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter adds the question from the tree, the count and the check box, and presses a
        // focused button; the text fields keep it for a new line.
        QWidget* focus = focusWidget();
        if (focus == tree_ || focus == count_ || focus == choice_) AddFromButton();
        if (auto* button = qobject_cast<QPushButton*>(focus)) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CEditDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // Qt tells no program whether a desktop input method is on; what it can follow is the
        // on-screen input panel, which each text field shows or hides as it last had it.
        QInputMethod* inputMethod = QGuiApplication::inputMethod();
        const QObject* fields[] = {question_, answers_, explanation_};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            if (watched != fields[i]) continue;
            if (type == QEvent::FocusOut) {
                inputMethodOn_[i] = inputMethod->isVisible();
            } else {
                inputMethodOn_[i] ? inputMethod->show() : inputMethod->hide();
            }
        }
        if (watched == count_ && type == QEvent::FocusIn) inputMethod->hide();
    }
    return QDialog::eventFilter(watched, event);
}
