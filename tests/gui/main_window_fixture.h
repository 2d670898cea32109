#pragma once
// A main window over word lists made in a temporary folder that is the current directory, with
// a recording prompt in place of message boxes and file dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <string>

#include "app/main_dialog.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/up_down.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

// Genres in file order: 動物 (3 questions), 植物 (2), 空 (none), 大 (20), and a genre whose
// name bytes do not decode (1 question).
std::string SampleWordList();
extern const std::string kUndecodableName;

class MainWindowTest : public testing::Test {
protected:
    enum Line { kAnimals, kPlants, kEmpty, kLarge, kUndecodable };

    // A settings file naming currentFile, with the music off so runs stay silent.
    void WriteSettings(const std::string& currentFile);
    CMainDialog& Open();

    QListWidget& GenreList() const { return *FindControl<QListWidget>(*dialog_, CMainDialog::kGenreList); }
    QLineEdit& Total() const { return *FindControl<QLineEdit>(*dialog_, CMainDialog::kTotal); }
    QLineEdit& RunCount() const { return *FindControl<QLineEdit>(*dialog_, CMainDialog::kRunCount); }
    CUpDown& UpDown() const { return *FindControl<CUpDown>(*dialog_, CMainDialog::kRunCountUpDown); }
    QPushButton& Start() const { return *FindControl<QPushButton>(*dialog_, CMainDialog::kStart); }
    QAction& MenuItem(int command) const;

    void ClickLine(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClickLine(int row);
    // Replaces the per-run edit's text as a paste would, in one change.
    void PasteRunCount(const QString& text);

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.Path()};
    CRecordingPrompt prompt_;
    std::unique_ptr<CMainDialog> dialog_;
};
