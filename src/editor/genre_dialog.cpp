#include "editor/genre_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "editor/edit_dialog_refusal.h"
#include "editor/edit_tree.h"
#include "editor/genre_choice.h"
#include "editor/question_fields.h"
#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

constexpr int kTemplateId = 143;
constexpr int kNameBox = 1023;
constexpr int kGenreChoice = 1025;
constexpr int kOk = 1;
constexpr int kCancel = 2;

constexpr const char* kNoGenreText = "ジャンルを指定してください";
constexpr const char* kNoGenreCaption = "ジャンル未指定";
constexpr const char* kDuplicateText = "ジャンル名が重複してます。";
constexpr const char* kDuplicateCaption = "ジャンル名重複";
constexpr const char* kGroupNameText = "「問題」と「子ジャンル」はジャンル名に使えません。";
constexpr const char* kGroupNameCaption = "ジャンル名不正";

// The editor's look: typed text on a pale cream ground over the tiled background.
void ApplyEditorTextColours(QWidget& control) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, QColor(250, 250, 230));
    control.setPalette(palette);
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

CGenreDialog::CGenreDialog(const CWordList& list, int mode, std::string receivingGenre, CPrompt& prompt,
                           QWidget* parent)
    : QDialog(parent), list_(list), mode_(mode), receivingGenre_(std::move(receivingGenre)), prompt_(prompt) {
    BuildDialog(*this, LoadDialogTemplate(kTemplateId));
    ApplyBackground(*this);
    auto* nameBox = RequireControl<QLineEdit>(*this, kNameBox);
    nameBox->setMaxLength(32767);  // the most a line edit holds: a genre name has no limit of its own
    ApplyEditorTextColours(*nameBox);
    ApplyEditorTextColours(*RequireControl<QComboBox>(*this, kGenreChoice));
    connect(RequireControl<QPushButton>(*this, kOk), &QPushButton::clicked, this, &CGenreDialog::accept);
    connect(RequireControl<QPushButton>(*this, kCancel), &QPushButton::clicked, this, &CGenreDialog::reject);
}

void CGenreDialog::SetReceivingGenre(std::string name) { receivingGenre_ = std::move(name); }

void CGenreDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // the window coming back from minimized: nothing to fill
    auto* nameBox = RequireControl<QLineEdit>(*this, kNameBox);
    auto* choice = RequireControl<QComboBox>(*this, kGenreChoice);
    nameBox->setText(FromCp932(name_));
    if (mode_ != kChildGenre) {
        choice->hide();
        nameBox->show();
        setWindowTitle(QStringLiteral("新規ジャンルの指定"));
        nameBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    nameBox->hide();
    choice->show();
    setWindowTitle(QStringLiteral("子ジャンルの指定"));
    choice->clear();
    for (const CGenre* genre : OfferedChildGenres(list_, receivingGenre_)) {
        const auto name = genre->GetName();
        // Shown decoded; the stored bytes are what comes back.
        choice->addItem(FromCp932(name), Bytes(name));
    }
    choice->setCurrentIndex(choice->count() > 0 ? 0 : -1);
    choice->setFocus(Qt::OtherFocusReason);
}

void CGenreDialog::accept() {
    auto* nameBox = RequireControl<QLineEdit>(*this, kNameBox);
    std::string typed;
    if (mode_ == kChildGenre) {
        auto* choice = RequireControl<QComboBox>(*this, kGenreChoice);
        typed = choice->currentIndex() < 0 ? std::string() : choice->currentData().toByteArray().toStdString();
        nameBox->setText(FromCp932(typed));
    } else {
        std::optional<std::string> bytes = FieldBytes(prompt_, *nameBox, QStringLiteral("ジャンル名"), nameBox->text());
        if (!bytes) return;
        typed = std::move(*bytes);
    }
    const std::string name(TrimBlanks(typed));
    if (name.empty()) {
        prompt_.ShowMessage(kNoGenreText, kNoGenreCaption, PromptIcon::Information, PromptButtons::Ok);
        return;
    }
    // The tree tells its groups by these labels: a genre of such a name would make items of
    // the wrong kind.
    if (mode_ != kChildGenre && (name == QuestionGroupLabel() || name == ChildGroupLabel())) {
        prompt_.ShowMessage(kGroupNameText, kGroupNameCaption, PromptIcon::Information, PromptButtons::Ok);
        return;
    }
    if (mode_ != kChildGenre) {
        for (const auto& genre : list_.GetGenres()) {
            if (genre->GetName() == name) {
                prompt_.ShowMessage(kDuplicateText, kDuplicateCaption, PromptIcon::Information, PromptButtons::Ok);
                return;
            }
        }
    }
    name_ = name;
    QDialog::accept();
}
