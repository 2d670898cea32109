#include "app/about_dialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"

namespace {
constexpr int kIcon = 1030;
constexpr int kOk = 1;
}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    BuildDialog(*this, LoadDialogTemplate(kTemplateId));
    ApplyBackground(*this);
    if (auto* icon = FindControl<QLabel>(*this, kIcon)) {
        icon->setPixmap(QPixmap(QStringLiteral(":/bitmaps/128.png")));
        icon->setAlignment(Qt::AlignCenter);
    }
    if (auto* ok = FindControl<QPushButton>(*this, kOk)) connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
