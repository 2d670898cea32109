#pragma once
// The help window: our HTML help file (HARBORLESSONS.HLP) in a text browser, one anchor per
// topic ("topic4" is the editor's). A missing or unreadable file is reported by the viewer.
#include <QTextBrowser>
#include <QWidget>
#include <filesystem>

class CPrompt;

class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* owner);

    // False (after telling the learner) when the file cannot be read.
    bool Open(CPrompt& prompt, const std::filesystem::path& file, int topic);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// Shows the file's contents (topic 0) or one topic in the owner's help window, made on first
// use; null when the file could not be shown.
CHelpViewer* ShowHelpFile(QWidget& owner, CPrompt& prompt, const std::filesystem::path& file, int topic = 0);
