#pragma once
// The main window: the genre list of the current word list, the total and per-run counts, the
// Start button and the menu. It owns the word list, the settings (with the rank table) and
// the run list; every other window is a modal dialog over it.
#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/own_settings.h"
#include "wordlist/word_list.h"

class CPrompt;
class CQuestion;
class CRecordOpening;
class CRecordStore;
class CUpDown;
class CWordListPreload;
class QAction;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;

class CMainDialog : public QDialog {
    Q_OBJECT
public:
    // Menu commands; each menu item's objectName is its number.
    enum Command {
        kStartRun = 32787,
        kOpenEditor = 32788,
        kOpenFile = 32789,
        kOptions = 32790,
        kExit = 32791,
        kHelp = 32792,
        kAbout = 32793,
        kScoreTable = 32797,
        kReviewRun = 32798,
        kRecordWindow = 32799,
    };
    enum Control { kGenreList = 1006, kTotal = 1007, kRunCountUpDown = 1009, kRunCount = 1010, kStart = 1002 };

    // A preload, when given, may already hold the current file the settings name; a record
    // opening, when given, is opening the learning record of the start-up folder.
    explicit CMainDialog(CPrompt& prompt, QWidget* parent = nullptr, CWordListPreload* preload = nullptr,
                         CRecordOpening* recordOpening = nullptr);
    ~CMainDialog() override;

    const CWordList& GetWordList() const { return wordList_; }
    CAppSettings& GetSettings();  // with the program's own settings from the record
    const std::vector<CQuestion*>& GetRunList() const { return runList_; }
    int GetRunCount() const { return runCount_; }
    bool IsInitialized() const { return initialized_; }
    bool IsStarting() const { return startGuard_; }
    const std::filesystem::path& GetStartupDir() const { return startupDir_; }
    // The learning record in the start-up folder (waiting for its opening); null when the folder is gone.
    CRecordStore* GetRecord();
    // The program's own settings: kept in the record, or for this start only without one.
    COwnSettings& OwnSettings();

    void StartRun();
    void StartReview();  // the weak questions of the selection, from the record
    // The learning-record window of the word list in use, over the selected genre set.
    void ShowRecord();
    // A review run of the given questions of the word list, as StartReview runs its draw.
    void ReviewQuestions(std::vector<CQuestion*> questions);
    void OpenWordListFile();
    // Opens the word list at path (absolute) as the open command does; a file that does not
    // load is reported and the list in use stays.
    void OpenWordList(const std::string& path);
    void OpenEditor();
    void ShowScoreTable();
    void ShowOptions();  // copies the options' settings in, and back after OK
    void ShowHelp();
    void ShowAbout();
    void ExitWithSaving();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    void BuildWindow();
    void BuildMenu();
    void Initialize();
    void FillGenreList();
    std::vector<std::string> SelectedGenreTexts() const;
    void OnSelectionChanged();
    void OnRunCountEdited();
    void UpdateScoreTableItem();
    void Start(bool review);
    void OpenRecord(CRecordOpening* given);
    void TakeRecord();  // once: the record when it is open, and the settings kept in it
    bool PrepareReview(const std::vector<std::string>& selected);
    void RunQuiz(bool review, std::vector<std::string> selected);
    std::string RecordedWordListFile() const;  // the word list as the record names it

    CPrompt& prompt_;
    CWordListPreload* preload_;
    CWordList wordList_;
    std::vector<CQuestion*> runList_;
    bool initialized_ = false;
    int runCount_ = 0;
    CAppSettings settings_;
    std::filesystem::path startupDir_;
    // Set while a run is being prepared or is under way, so a second start (a queued
    // double-click) cannot open a second run.
    bool startGuard_ = false;
    // The record is opened on a thread of its own and taken as soon as it is open, or earlier
    // by whatever needs it, which then waits for it.
    std::unique_ptr<CRecordOpening> ownRecordOpening_;
    CRecordOpening* recordOpening_ = nullptr;
    bool recordTaken_ = false;
    std::unique_ptr<CRecordStore> record_;
    CMemoryOwnSettings ownSettingsForThisStart_;

    QMenuBar* menuBar_ = nullptr;
    QListWidget* genreList_ = nullptr;
    QLineEdit* total_ = nullptr;
    QLineEdit* runCountEdit_ = nullptr;
    CUpDown* upDown_ = nullptr;
    QPushButton* start_ = nullptr;
};
