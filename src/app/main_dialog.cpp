#include "app/main_dialog.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <ctime>
#include <system_error>

#include "app/about_dialog.h"
#include "app/option_dialog.h"
#include "app/own_settings_io.h"
#include "app/run_drawing.h"
#include "app/word_list_preload.h"
#include "editor/edit_dialog.h"
#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/text_bridge.h"
#include "platform/qt/up_down.h"
#include "platform/random.h"
#include "record/record_opening.h"
#include "record/record_store.h"
#include "score/score_dialog.h"
#include "wordlist/genre.h"

namespace {

constexpr int kTemplateId = 102;
constexpr const char* kCaption = "Harbor Lessons";
constexpr const char* kWordListFilter = "ﾜｰﾄﾞﾘｽﾄ(*.wl)|*.wl|全て(*.*)|*.*||";
constexpr int kFirstRunCount = 10;

// Clears the start guard however the run ends, an exception included.
class CStartGuardScope {
public:
    explicit CStartGuardScope(bool& guard) : guard_(guard) { guard_ = true; }
    ~CStartGuardScope() { guard_ = false; }
    CStartGuardScope(const CStartGuardScope&) = delete;
    CStartGuardScope& operator=(const CStartGuardScope&) = delete;

private:
    bool& guard_;
};

}  // namespace

CMainDialog::CMainDialog(CPrompt& prompt, QWidget* parent, CWordListPreload* preload, CRecordOpening* recordOpening)
    : QDialog(parent), prompt_(prompt), preload_(preload), recordOpening_(recordOpening) {
    BuildWindow();
    Initialize();
}

void CMainDialog::BuildWindow() {
    BuildDialog(*this, LoadDialogTemplate(kTemplateId));
    ApplyBackground(*this);
    genreList_ = FindControl<QListWidget>(*this, kGenreList);
    total_ = FindControl<QLineEdit>(*this, kTotal);
    runCountEdit_ = FindControl<QLineEdit>(*this, kRunCount);
    upDown_ = FindControl<CUpDown>(*this, kRunCountUpDown);
    start_ = FindControl<QPushButton>(*this, kStart);
    ApplyWhiteBackground(*total_);
    // A list of thousands of genres is measured a hundred lines at a time between events, so
    // the window shows without waiting for the lines out of sight.
    genreList_->setLayoutMode(QListView::Batched);
    // Room for every digit of a total of millions (a large list), the arrows moving along.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, runCountEdit_);
    const int digits = runCountEdit_->fontMetrics().horizontalAdvance(QStringLiteral("8888888")) + 2 * frame + 6;
    if (runCountEdit_->width() < digits) runCountEdit_->resize(digits, runCountEdit_->height());
    runCountEdit_->installEventFilter(this);
    BuildMenu();

    connect(genreList_, &QListWidget::itemSelectionChanged, this, &CMainDialog::OnSelectionChanged);
    connect(genreList_, &QListWidget::itemDoubleClicked, this, [this] { StartRun(); });
    connect(start_, &QPushButton::clicked, this, [this] { StartRun(); });
    connect(runCountEdit_, &QLineEdit::textChanged, this, &CMainDialog::OnRunCountEdited);
}

void CMainDialog::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    struct Item {
        int command;
        const char* caption;
        void (CMainDialog::*action)();
    };
    const Item runItems[] = {
        {kStartRun, "解答開始(&S)", &CMainDialog::StartRun},
        {kReviewRun, "苦手な問題を復習(&W)", &CMainDialog::StartReview},
        {kRecordWindow, "学習記録(&L)...", &CMainDialog::ShowRecord},
        {kOpenFile, "ファイルを開く(&O)", &CMainDialog::OpenWordListFile},
        {kOpenEditor, "問題作成(編集)(&E)", &CMainDialog::OpenEditor},
        {kScoreTable, "成績表(&R)", &CMainDialog::ShowScoreTable},
        {kOptions, "オプション設定", &CMainDialog::ShowOptions},
        {0, nullptr, nullptr},
        {kExit, "終了(&X)", &CMainDialog::ExitWithSaving},
    };
    const Item helpItems[] = {
        {kHelp, "ヘルプ(&H)", &CMainDialog::ShowHelp},
        {kAbout, "ヴァージョン情報(&V)", &CMainDialog::ShowAbout},
    };
    auto addItems = [this](QMenu* menu, const auto& items) {
        for (const Item& item : items) {
            if (item.caption == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::number(item.command));
            connect(action, &QAction::triggered, this, item.action);
        }
    };
    addItems(menuBar_->addMenu(QStringLiteral("実行(&E)")), runItems);
    addItems(menuBar_->addMenu(QStringLiteral("ヘルプ(&H)")), helpItems);

    // The template measures the client area below the menu (which a desktop's global menu
    // bar may take out of the window altogether).
    const int menuHeight = menuBar_->isNativeMenuBar() ? 0 : menuBar_->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != menuBar_) child->move(child->pos() + QPoint(0, menuHeight));
    }
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    resize(width(), height() + menuHeight);
}

void CMainDialog::Initialize() {
    // Where the platform has a window menu of its own, the about command stays in the help menu.
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/128.png")));
    // A start-up folder deleted while a shell stood in it has no path: the program starts with
    // the defaults and an empty list, and nothing is read or written there.
    std::error_code error;
    startupDir_ = std::filesystem::current_path(error);
    const bool startupDirGone = static_cast<bool>(error);
    if (startupDirGone) startupDir_ = ".";
    settings_.Load(startupDir_);
    if (startupDirGone) settings_.currentFile.clear();
    if (startupDirGone) {
        TakeRecord();  // none
    } else {
        OpenRecord(recordOpening_);
    }
    if (!settings_.currentFile.empty()) {
        if (CWordListPreload::Load(preload_, prompt_, wordList_, settings_.currentFile)) {
            settings_.ReopenRankTable(prompt_);
        } else {
            // Forgotten, so the next start does not stumble over it again.
            settings_.currentFile.clear();
        }
    }
    UpdateScoreTableItem();
    setWindowTitle(QString::fromUtf8(kCaption));
    FillGenreList();
    ProgramRandom().Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    runCount_ = kFirstRunCount;
    initialized_ = true;

    // The picture is the button's face: it fills everything inside the frame, which stays free
    // to show the focus.
    const QSize face = start_->size() - QSize(8, 8);
    const qreal scale = start_->devicePixelRatioF();
    QPixmap picture = QPixmap(QStringLiteral(":/bitmaps/134.png"))
                          .scaled(face * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(scale);
    start_->setIcon(QIcon(picture));
    start_->setIconSize(face);
    start_->setText(QString());
    start_->setAccessibleName(QStringLiteral("Start"));
}

void CMainDialog::FillGenreList() {
    // Refilling is no choice of the learner: the counts stay as they are.
    const QSignalBlocker blocker(genreList_);
    genreList_->clear();
    for (const auto& genre : wordList_.GetGenres()) {
        const std::string_view name = genre->GetName();
        auto* line = new QListWidgetItem(FromCp932(name));
        // The shown text may hold replacement characters; lookups use the stored bytes.
        line->setData(Qt::UserRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
        genreList_->addItem(line);  // complete, so the list hears of it once
    }
    // No line is current either, so the focus coming into the list marks none as if chosen.
    genreList_->setCurrentIndex(QModelIndex());
}

std::vector<std::string> CMainDialog::SelectedGenreTexts() const {
    std::vector<std::string> texts;
    for (int row = 0; row < genreList_->count(); ++row) {
        const QListWidgetItem* line = genreList_->item(row);
        if (line->isSelected()) texts.push_back(line->data(Qt::UserRole).toByteArray().toStdString());
    }
    return texts;
}

void CMainDialog::OnSelectionChanged() {
    const CSelectionCount count = CountSelection(wordList_, SelectedGenreTexts());
    total_->setText(QString::number(count.total));
    runCount_ = LowerRunCount(count.total, runCount_);
    if (count.total <= 0) return;
    upDown_->SetRange(0, count.total);
    upDown_->SetPosition(count.total);
    runCount_ = count.total;
}

void CMainDialog::OnRunCountEdited() {
    if (!initialized_) return;
    const CRunCountCheck check = CheckRunCountText(ToUtf8(runCountEdit_->text()), ToUtf8(total_->text()));
    runCount_ = check.value;
    if (check.corrected) {
        // setText leaves the caret after the last character; the new text checks clean.
        runCountEdit_->setText(QString::number(check.value));
        runCountEdit_->end(false);
    }
}

void CMainDialog::StartRun() { Start(false); }

void CMainDialog::StartReview() { Start(true); }

void CMainDialog::Start(bool review) {
    if (startGuard_) return;
    CStartGuardScope guard(startGuard_);
    const std::vector<std::string> selected = SelectedGenreTexts();
    if (!selected.empty()) total_->setText(QString::number(CountSelection(wordList_, selected).total));
    const bool prepared = review ? PrepareReview(selected)
                                 : PrepareRun(prompt_, wordList_, selected, runCount_, runList_, settings_.GetRankTable());
    if (prepared) RunQuiz(review, selected);
}

void CMainDialog::OpenWordListFile() {
    FileDialogRequest request;
    request.filter = kWordListFilter;
    request.defaultExtension = "wl";
    request.initialFileName = "*.wl";
    request.initialFolder = settings_.currentDir;
    if (const std::optional<std::string> path = prompt_.ChooseFile(request)) {
        OpenWordList(*path);
    } else {
        UpdateScoreTableItem();
    }
}

void CMainDialog::OpenWordList(const std::string& path) {
    if (LoadWordList(prompt_, wordList_, path)) {
        runList_.clear();  // its questions went with the old contents
        settings_.currentFile = path;
        FillGenreList();
        const std::size_t separator = path.find_last_of('/');
        settings_.currentDir = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
        settings_.ReopenRankTable(prompt_);
    }
    UpdateScoreTableItem();
}

void CMainDialog::OpenEditor() {
    CEditDialog editor(wordList_, settings_, prompt_, this);
    if (editor.exec() == QDialog::Accepted) {
        runList_.clear();  // its questions go with the old list
        wordList_ = CWordList(editor.GetWorkingCopy());
        FillGenreList();
        // The editor may have changed the current file.
        settings_.ReopenRankTable(prompt_);
    }
    UpdateScoreTableItem();
}

void CMainDialog::ShowScoreTable() {
    CScoreDialog scores(settings_, prompt_, this);
    scores.exec();
}

void CMainDialog::ShowOptions() {
    TakeRecord();  // the settings kept there are shown
    COptionDialog options(prompt_, this);
    COptionValues& values = options.Values();
    values.bgmFlag = settings_.bgmFlag;
    values.bgmFile = settings_.bgmFile;
    values.completeMode = settings_.completeMode;
    values.useHint = settings_.useHint;
    values.timeLimit = static_cast<std::uint32_t>(settings_.timeLimit);  // bit for bit
    values.lenientAnswers = settings_.lenientAnswers;
    if (options.exec() != QDialog::Accepted) return;
    settings_.bgmFlag = values.bgmFlag;
    settings_.bgmFile = values.bgmFile;
    settings_.completeMode = values.completeMode;
    settings_.useHint = values.useHint;
    settings_.timeLimit = static_cast<int>(values.timeLimit);
    settings_.lenientAnswers = values.lenientAnswers;
    SaveOwnSettings(settings_, OwnSettings());
}

void CMainDialog::ShowHelp() {
    ShowHelpFile(*this, prompt_, settings_.helpFile);
}

void CMainDialog::ShowAbout() {
    CAboutDialog about(this);
    about.exec();
}

void CMainDialog::ExitWithSaving() {
    settings_.Save(startupDir_);
    if (CRankTable* rankTable = settings_.GetRankTable()) rankTable->Save();
    accept();
}

void CMainDialog::reject() {
    // Escape leaves the settings as they were on disk, but a result the learner has already
    // placed in the rank table is never thrown away. Its file name may be relative to the
    // start-up directory, as it is when exit saves it after the settings.
    if (CRankTable* rankTable = settings_.GetRankTable()) {
        std::error_code error;
        std::filesystem::current_path(startupDir_, error);
        rankTable->Save();
    }
    QDialog::reject();
}

void CMainDialog::closeEvent(QCloseEvent* event) {
    if (isVisible()) ExitWithSaving();
    event->accept();
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter starts only from the Start button itself; anywhere else it does nothing.
        if (start_->hasFocus()) start_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == runCountEdit_ && event->type() == QEvent::FocusIn) runCountEdit_->selectAll();
    return QDialog::eventFilter(watched, event);
}

void CMainDialog::UpdateScoreTableItem() {
    if (auto* item = menuBar_->findChild<QAction*>(QString::number(kScoreTable)))
        item->setEnabled(!settings_.currentFile.empty());
}
