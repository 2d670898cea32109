#include "platform/qt/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/prompt.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text_bridge.h"
#include "platform/qt/window_fit.h"

CHelpViewer::CHelpViewer(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Harbor Lessons ヘルプ"));
    // The body in the face and size of the main window's texts.
    browser_->setFont(DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    browser_->setOpenExternalLinks(false);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    const int line = browser_->fontMetrics().height();
    resize(SizeWithinScreen(*this, QSize(32 * line, 28 * line)));
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
