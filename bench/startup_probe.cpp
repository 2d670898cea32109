// The program itself (its own main) with a stopwatch attached: how long after launch the main
// window first paints, and, with PROBE_RUNS=n, how long each of n runs takes from the start
// command to the quiz window's first paint and to the music playing; with PROBE_EDITOR=1, then
// how long the editor takes from its command to its first paint. scripts/measure-startup.sh
// launches it with PROBE_START_NS, the wall clock in nanoseconds just before the launch.
// Figures go to stderr, one "name milliseconds" line each; the program then ends with Escape.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/main_dialog.h"
#include "editor/edit_dialog.h"
#include "quiz/quiz_dialog.h"

namespace {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void Report(const char* name, long long fromNs) { std::fprintf(stderr, "%s %.1f\n", name, (NowNs() - fromNs) / 1e6); }

class CProbe : public QObject {
public:
    CProbe()
        : launchNs_(std::atoll(qgetenv("PROBE_START_NS").constData())),
          runs_(qEnvironmentVariableIntValue("PROBE_RUNS")),
          editor_(qEnvironmentVariableIntValue("PROBE_EDITOR") != 0) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        if (auto* main = qobject_cast<CMainDialog*>(watched); main != nullptr && main_ == nullptr) {
            main_ = main;
            Report("main_window_shown", launchNs_);
            QTimer::singleShot(300, this, [this] { NextRun(); });
        } else if (auto* quiz = qobject_cast<CQuizDialog*>(watched); quiz != nullptr && quiz != quiz_) {
            quiz_ = quiz;
            Report("quiz_window_shown", runStartNs_);
            WaitForMusic(0);
        } else if (auto* editor = qobject_cast<CEditDialog*>(watched); editor != nullptr && editorStartNs_ != 0) {
            Report("editor_window_shown", std::exchange(editorStartNs_, 0));
            QTimer::singleShot(200, editor, [editor] { editor->reject(); });  // nothing edited: it closes
        }
        return false;
    }

private:
    void NextRun() {
        if (runs_-- <= 0) {
            if (!std::exchange(editor_, false)) return main_->reject();
            // The editor's own event loop runs until it closes; then the program ends.
            QTimer::singleShot(0, this, [this] {
                editorStartNs_ = NowNs();
                main_->findChild<QAction*>(QString::number(CMainDialog::kOpenEditor))->trigger();
                QTimer::singleShot(300, this, [this] { NextRun(); });
            });
            return;
        }
        // The run starts from the menu, the quiz window's own event loop taking over until it closes.
        QTimer::singleShot(0, this, [this] {
            auto* genres = main_->findChild<QListWidget*>(QString::number(CMainDialog::kGenreList));
            if (genres->count() > 0) genres->item(0)->setSelected(true);
            runStartNs_ = NowNs();
            main_->findChild<QAction*>(QString::number(CMainDialog::kStartRun))->trigger();
            QTimer::singleShot(300, this, [this] { NextRun(); });
        });
    }

    // Polled every millisecond for up to two seconds: the player has no "started" signal.
    void WaitForMusic(int waited) {
        if (quiz_->Music().IsOpen()) {
            Report("music_started", runStartNs_);
        } else if (waited < 2000) {
            QTimer::singleShot(1, this, [this, waited] { WaitForMusic(waited + 1); });
            return;
        } else {
            std::fputs("music_started none\n", stderr);
        }
        QTimer::singleShot(200, quiz_, [this] { std::exchange(quiz_, nullptr)->reject(); });
    }

    long long launchNs_;
    long long runStartNs_ = 0;
    int runs_;
    bool editor_;
    long long editorStartNs_ = 0;
    CMainDialog* main_ = nullptr;
    CQuizDialog* quiz_ = nullptr;
};

void InstallProbe() { qApp->installEventFilter(new CProbe); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
