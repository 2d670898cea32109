#pragma once
// What the window tests share: the usual headers, typing as a learner does, and a script that
// answers the modal dialogs a window opens.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/dialog_builder.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

// A control of a window by its number; throws when there is none.
template <class T>
T& Control(const QWidget& window, int id) { return *RequireControl<T>(window, id); }

// Shows a window and makes it the active one: focus moves (and their events) need that.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

// A menu command of a window by its number; throws when there is none.
inline QAction& Command(const QWidget& window, int command) {
    auto* action = window.findChild<QAction*>(QString::number(command));
    if (action == nullptr) throw std::runtime_error("no menu item " + std::to_string(command));
    return *action;
}

// The message boxes shown so far, each as "caption: text".
inline std::vector<std::string> Said(const CRecordingPrompt& prompt) {
    std::vector<std::string> said;
    for (const auto& message : prompt.Messages()) said.push_back(message.caption + ": " + message.text);
    return said;
}

// Types text as a learner would: each character goes as a key event carrying its text
// (QTest::keyClicks knows ASCII only).
inline void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length;
    }
}

// Each newly shown modal dialog is recorded by class name and handed to the next handler in
// line; whatever a handler leaves open (and every dialog nobody expected) is closed, so a failing
// test never hangs.
class CModalScript {
public:
    using Handler = std::function<void(QDialog&)>;

    CModalScript() { Schedule(); }
    CModalScript& Then(Handler handler) {
        handlers_.push_back(std::move(handler));
        return *this;
    }
    const QStringList& Seen() const { return seen_; }

private:
    // A fresh timer for each look, so that a dialog opened from inside a handler is answered too.
    void Schedule() { QTimer::singleShot(10, &context_, [this] { Poll(); }); }
    void Poll() {
        Schedule();
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible() || modal == handled_) return;
        handled_ = modal;
        seen_.append(QString::fromLatin1(modal->metaObject()->className()));
        if (!handlers_.empty()) {
            Handler handler = std::move(handlers_.front());
            handlers_.pop_front();
            handler(*modal);
        }
        if (handled_ != nullptr && handled_->isVisible()) handled_->done(QDialog::Rejected);
    }

    QObject context_;
    QPointer<QDialog> handled_;
    std::deque<Handler> handlers_;
    QStringList seen_;
};
