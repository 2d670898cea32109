#include "platform/qt/help_viewer.h"

#include <QFile>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/prompt.h"
#include "platform/qt/text_bridge.h"

CHelpViewer::CHelpViewer(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Harbor Lessons ヘルプ"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(false);
    resize(560, 480);
}

bool CHelpViewer::Open(CPrompt& prompt, const std::filesystem::path& file, int topic) {
    const QString path = FromUtf8(file.string());
    QFile help(path);
    if (!help.open(QIODevice::ReadOnly)) {
        prompt.ShowMessage(file.string() + "\r\nヘルプファイルを開けません。", "Harbor Lessons ヘルプ",
                           PromptIcon::Exclamation, PromptButtons::Ok);
        return false;
    }
    help.close();
    QUrl source = QUrl::fromLocalFile(path);
    if (topic > 0) source.setFragment(QStringLiteral("topic%1").arg(topic));
    browser_->setSource(source, QTextDocument::HtmlResource);
    return true;
}

CHelpViewer* ShowHelpFile(QWidget& owner, CPrompt& prompt, const std::filesystem::path& file, int topic) {
    auto* viewer = owner.findChild<CHelpViewer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!viewer) viewer = new CHelpViewer(&owner);
    if (!viewer->Open(prompt, file, topic)) return nullptr;
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}
