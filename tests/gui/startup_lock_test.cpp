// The start-up folder: one program per folder (a second start says so and writes nothing, the
// lock of a program that has died is taken over), and a folder that no longer exists.
#include <QLockFile>
#include <sys/wait.h>
#include <unistd.h>

#include "app/quiz_app.h"
#include "gui_test.h"

namespace {

const fs::path kLock = ".pellora.lock";

QString LockPath(const TempDir& dir) { return QString::fromStdString((dir / kLock).string()); }

TEST(StartupLock, OneProgramAFolder) {
    TempDir dir, other;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(LockPath(other));
        _exit(lock.tryLock(0) ? 0 : 1);  // ends without unlocking, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(other / kLock));

    QLockFile first(LockPath(dir));
    ASSERT_TRUE(first.tryLock(0));
    ScopedCurrentDir inDir(dir.Path());
    CRecordingPrompt prompt;
    CModalScript script;
    EXPECT_EQ(CQuizApp().Run(prompt), 1);
    EXPECT_EQ(Said(prompt), std::vector<std::string>{"Harbor Lessons: このフォルダーではすでに Harbor Lessons が起動しています。"
                                                     "\r\n起動しているほうをお使いください。"});
    EXPECT_TRUE(script.Seen().isEmpty()) << "no main window";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1) << "nothing beside the lock";
    EXPECT_FALSE(QLockFile(LockPath(dir)).tryLock(0)) << "the first program keeps its lock";

    ScopedCurrentDir inOther(other.Path());
    bool heldWhileRunning = false;
    script.Then([&](QDialog&) { heldWhileRunning = !QLockFile(LockPath(other)).tryLock(0); });
    EXPECT_EQ(CQuizApp().Run(prompt), 0);
    EXPECT_TRUE(heldWhileRunning);
    EXPECT_FALSE(fs::exists(other / kLock)) << "released at the end";
    fs::create_directory(other / "gone");
    ScopedCurrentDir inGone(other / "gone");
    fs::remove(other / "gone");
    EXPECT_EQ(CQuizApp().Run(prompt), 0);
    EXPECT_EQ(script.Seen(), (QStringList{QStringLiteral("CMainDialog"), QStringLiteral("CMainDialog")}));
    EXPECT_EQ(prompt.Messages().size(), 1u);
}

}  // namespace
