#include "app/quiz_app.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLockFile>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/main_dialog.h"
#include "platform/qt/default_data.h"
#include "platform/qt/focus_style.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_translations.h"
#include "record/record_opening.h"

namespace {

constexpr const char* kCaption = "Harbor Lessons";
constexpr const char* kLockFileName = ".pellora.lock";
constexpr const char* kAlreadyRunning =
    "このフォルダーではすでに Harbor Lessons が起動しています。\r\n起動しているほうをお使いください。";

}  // namespace

int CQuizApp::Run(const std::string& wordList, CWordListPreload* preload) {
    CQtPrompt prompt;
    return Run(prompt, wordList, preload);
}

int CQuizApp::Run(CPrompt& prompt, const std::string& wordList, CWordListPreload* preload) {
    QApplication::setApplicationName(QString::fromUtf8(kCaption));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/bitmaps/128.png")));
    InstallFontSubstitutions();
    InstallFocusStyle();
    InstallQtTranslations(*QApplication::instance());

    // The start-up directory is where the learner started the program.
    std::error_code error;
    const std::filesystem::path startupDir = std::filesystem::current_path(error);

    // Two programs in one folder would each write back the settings and rank file they read at
    // start, the later one losing the earlier one's results. The lock of a program that ended
    // without releasing it (its process is gone) is taken over. A folder where no lock can be
    // made at all (read-only, deleted) cannot be written by either program, so it is used
    // without one.
    std::unique_ptr<QLockFile> lock;
    if (!error) {
        lock = std::make_unique<QLockFile>(QFile::decodeName((startupDir / kLockFileName).c_str()));
        lock->setStaleLockTime(0);  // a program may run for days: only a dead holder's lock is stale
        if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError) {
            prompt.ShowMessage(kAlreadyRunning, kCaption, PromptIcon::Exclamation, PromptButtons::Ok);
            return 1;
        }
    }

    // A folder the program has never been used in gets the sample word list, the music and
    // the help file.
    if (!error && IsFirstStartIn(startupDir)) ProvideDefaultDataFiles(startupDir);

    // The learning record is opened (and checked) while the main window is being made; only
    // once the folder is ours, since a damaged record is set aside.
    std::optional<CRecordOpening> record;
    if (!error) record.emplace(startupDir);
    {
        CMainDialog mainDialog(prompt, nullptr, preload, record ? &*record : nullptr);
        if (!wordList.empty()) {
            // Relative to the folder the program was started in, as a file dialog would give it.
            const std::filesystem::path path = std::filesystem::absolute(wordList, error);
            mainDialog.OpenWordList(error ? wordList : path.string());
        }
        mainDialog.exec();
    }
    return 0;
}
