#include "gui/main_window_fixture.h"

#include <QTest>

const std::string kUndecodableName = "X\x85\x40";

std::string SampleWordList() {
    std::string text = "_PEL_LORA_LIST_FILE_,1.0\r\n";
    auto block = [&text](const std::string& name, int questions) {
        text += "PL_BLOCK," + name + ";\r\nPL_PRIMITIVE;\r\n";
        for (int i = 1; i <= questions; ++i) {
            const std::string number = std::to_string(i);
            text += name + "-Q" + number + ",1,A" + number + ";\r\n";
        }
        text += "PL_BLOCK_END;\r\n\r\n";
    };
    block(Sjis("動物"), 3);
    block(Sjis("植物"), 2);
    block(Sjis("空"), 0);
    block(Sjis("大"), 20);
    block(kUndecodableName, 1);
    return text;
}

void MainWindowTest::WriteSettings(const std::string& currentFile) {
    WriteFileBytes(dir_ / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=" + currentFile + "\r\nBGM_FLAG=FALSE\r\n");
}

CMainDialog& MainWindowTest::Open() {
    dialog_ = std::make_unique<CMainDialog>(prompt_);
    dialog_->show();
    // Focus moves (and their events) need the window to be the active one.
    dialog_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    return *dialog_;
}

QAction& MainWindowTest::MenuItem(int command) const {
    auto* action = dialog_->findChild<QAction*>(QString::number(command));
    EXPECT_NE(action, nullptr) << command;
    return *action;
}

void MainWindowTest::ClickLine(int row, Qt::KeyboardModifiers modifiers) {
    QListWidget& list = GenreList();
    const QRect line = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, line.center());
}

void MainWindowTest::DoubleClickLine(int row) {
    QListWidget& list = GenreList();
    const QPoint centre = list.visualItemRect(list.item(row)).center();
    // A double-click arrives as press, release, double-click, release.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

void MainWindowTest::PasteRunCount(const QString& text) {
    RunCount().selectAll();
    RunCount().insert(text);
}
