#include "score/name_entry_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

#include "platform/prompt.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"
#include "score/rank_table.h"

namespace {

constexpr int kCongratulation = 1062;
constexpr int kNameBox = 1061;
constexpr int kOk = 1;

constexpr const char* kUnrepresentableName =
    "名前に Shift-JIS (CP932) で表せない文字が含まれています。\r\nその文字を除いてから、もう一度入力してください。";

}  // namespace

CNameEntryDialog::CNameEntryDialog(int position, const std::string& rateText, CPrompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt) {
    BuildDialog(*this, LoadDialogTemplate(155));
    nameBox_ = RequireControl<QLineEdit>(*this, kNameBox);
    auto* congratulation = RequireControl<QLabel>(*this, kCongratulation);
    auto* ok = RequireControl<QPushButton>(*this, kOk);

    const QString place = QStringLiteral("第%1位").arg(position);
    setWindowTitle(place);
    congratulation->setText(QStringLiteral("おめでとう。あなたの正答率 %1 は\n%2です。").arg(FromUtf8(rateText), place));
    nameBox_->clear();
    nameBox_->setMaxLength(32767);  // the most a line edit holds; a rank file keeps any length
    connect(ok, &QPushButton::clicked, this, &CNameEntryDialog::accept);
    nameBox_->setFocus(Qt::OtherFocusReason);
}

void CNameEntryDialog::accept() {
    std::optional<std::string> name = ToCp932(nameBox_->text());
    if (!name) {
        prompt_.ShowMessage(kUnrepresentableName, kProgramName, PromptIcon::Information, PromptButtons::Ok);
        nameBox_->setFocus(Qt::OtherFocusReason);
        return;
    }
    name_ = std::move(*name);
    QDialog::accept();
}

void CNameEntryDialog::reject() {
    // Escape and the close box: the result is entered in any case, so it needs its name first.
}
