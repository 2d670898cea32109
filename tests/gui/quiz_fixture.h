#pragma once
// A quiz dialog over questions made in code, with a recording prompt for the message boxes, a
// rank table beside a word list in a temporary folder, and a script that answers the modal
// windows a run opens (name entry, score table) one after another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "platform/qt/dialog_builder.h"
#include "platform/recording_prompt.h"
#include "quiz/quiz_dialog.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

// Types text as a learner would. QTest::keyClicks knows ASCII only; any other character goes as
// a key event carrying its text.
inline void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (length == 1 && character[0].unicode() < 0x80) {
            QTest::keyClick(widget, character[0].toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, character, Qt::NoModifier);
        }
        i += length;
    }
}

// Hands each newly shown modal window to the next handler in line; a modal window nobody
// expected is recorded and closed, so a failing test never hangs.
class CModalScript {
public:
    using Handler = std::function<void(QDialog&)>;

    CModalScript() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    void Then(Handler handler) { handlers_.push_back(std::move(handler)); }
    int Pending() const { return static_cast<int>(handlers_.size()); }
    const QStringList& Unexpected() const { return unexpected_; }

private:
    void Poll() {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible() || modal == handled_) return;
        handled_ = modal;
        if (handlers_.empty()) {
            unexpected_.append(QString::fromLatin1(modal->metaObject()->className()));
            modal->done(QDialog::Rejected);
            return;
        }
        Handler handler = std::move(handlers_.front());
        handlers_.pop_front();
        handler(*modal);
    }

    QTimer timer_;
    QPointer<QDialog> handled_;
    std::deque<Handler> handlers_;
    QStringList unexpected_;
};

class QuizDialogTest : public testing::Test {
protected:
    enum Control {
        kMessage = 1029, kRemaining = 1033, kQuestion = 1000, kAnswer = 1001, kHint = 1014, kSeveralLabel = 1015,
        kRemainingAnswers = 1011, kGiven = 1012, kRetry = 1034, kAbort = 1032, kDecide = 1044, kTime = 1057
    };

    QuizDialogTest() {
        settings_.bgmFlag = 0;
        settings_.useHint = 1;
        settings_.completeMode = 0;
        settings_.timeLimit = 0;
    }

    // Texts are UTF-8 here and stored as CP932, as a word list holds them. required: "1", "2"..
    // or "-1" for a choice question.
    CQuestion* Add(const std::string& text, const char* required, std::vector<std::string> answers) {
        for (std::string& answer : answers) answer = Sjis(answer);
        owned_.push_back(std::make_unique<CQuestion>(Sjis(text), required, true, std::move(answers)));
        runList_.push_back(owned_.back().get());
        return owned_.back().get();
    }
    void AddPlain(int count) {
        for (int i = 0; i < count; ++i) Add("問" + std::to_string(i + 1), "1", {"right"});
    }
    CRankTable& OpenRankTable(const std::vector<std::string>& names) {
        settings_.currentFile = (dir_ / "lesson.wl").string();
        settings_.ReopenRankTable(prompt_);
        settings_.GetRankTable()->SelectList(names);
        return *settings_.GetRankTable();
    }
    CQuizDialog& Open() {
        dialog_ = std::make_unique<CQuizDialog>(list_, runList_, static_cast<int>(runList_.size()), settings_, prompt_);
        dialog_->show();
        dialog_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
        return *dialog_;
    }

    template <class T>
    T& Control(int id) const {
        T* control = FindControl<T>(*dialog_, id);
        if (control == nullptr) throw std::runtime_error("no control " + std::to_string(id));
        return *control;
    }
    QPlainTextEdit& AnswerBox() const { return Control<QPlainTextEdit>(kAnswer); }
    QString Message() const { return Control<QPlainTextEdit>(kMessage).toPlainText(); }
    QString Question() const { return Control<QPlainTextEdit>(kQuestion).toPlainText(); }
    QString Remaining() const { return Control<QLineEdit>(kRemaining).text(); }
    QPushButton& Button(int id) const { return Control<QPushButton>(id); }
    QTimer& CountdownTimer() const {
        auto* timer = dialog_->findChild<QTimer*>(QStringLiteral("countdown"));
        if (timer == nullptr) throw std::runtime_error("no countdown timer");
        return *timer;
    }

    // Types into the answer box as a learner would, replacing a selected text.
    void Type(const QString& text) { TypeText(&AnswerBox(), text); }
    void PressReturn() { QTest::keyClick(&AnswerBox(), Qt::Key_Return); }
    void Answer(const QString& text) {
        Type(text);
        PressReturn();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompt_.Messages()) texts.push_back(message.text);
        return texts;
    }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.Path()};
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    CWordList list_;
    std::vector<std::unique_ptr<CQuestion>> owned_;
    std::vector<CQuestion*> runList_;
    std::unique_ptr<CQuizDialog> dialog_;
};
