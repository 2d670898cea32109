#include "app/quiz_app.h"

#include <QApplication>
#include <QIcon>
#include <filesystem>
#include <system_error>

#include "app/main_dialog.h"
#include "platform/qt/default_data.h"
#include "platform/qt/focus_style.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_translations.h"

int CQuizApp::Run(const std::string& wordList) {
    QApplication::setApplicationName(QStringLiteral("Harbor Lessons"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/bitmaps/128.png")));
    InstallFontSubstitutions();
    InstallFocusStyle();
    InstallQtTranslations(*QApplication::instance());

    // The start-up directory is where the learner started the program; a folder the program
    // has never been used in gets the sample word list, the music and the help file.
    std::error_code error;
    const std::filesystem::path startupDir = std::filesystem::current_path(error);
    if (!error && IsFirstStartIn(startupDir)) ProvideDefaultDataFiles(startupDir);

    CQtPrompt prompt;
    {
        CMainDialog mainDialog(prompt);
        if (!wordList.empty()) {
            // Relative to the folder the program was started in, as a file dialog would give it.
            const std::filesystem::path path = std::filesystem::absolute(wordList, error);
            mainDialog.OpenWordList(error ? wordList : path.string());
        }
        mainDialog.exec();
    }
    return 0;
}
