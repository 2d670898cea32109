#include "app/option_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "app/time_limit_text.h"
#include "platform/prompt.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"
#include "score/rank_table.h"

namespace {

constexpr int kTemplateId = 148;
enum Control {
    kHint = 1046,
    kCompleteMode = 1048,
    kMusic = 1049,
    kMusicFile = 1050,
    kBrowse = 1051,
    kTimeLimit = 1052,
    kTimeLimitCheck = 1055,
    kLenient = 1056,
    kOk = 1,
    kCancel = 2,
};
constexpr const char* kMusicFilter = "midiﾌｧｲﾙ(*.mid)|*.mid";

int Flag(const QCheckBox& box) { return box.isChecked() ? 1 : 0; }

}  // namespace

COptionDialog::COptionDialog(CPrompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
    BuildDialog(*this, LoadDialogTemplate(kTemplateId));
    music_ = RequireControl<QCheckBox>(*this, kMusic);
    musicFile_ = RequireControl<QLineEdit>(*this, kMusicFile);
    browse_ = RequireControl<QPushButton>(*this, kBrowse);
    completeMode_ = RequireControl<QCheckBox>(*this, kCompleteMode);
    lenient_ = RequireControl<QCheckBox>(*this, kLenient);
    hint_ = RequireControl<QCheckBox>(*this, kHint);
    timeLimit_ = RequireControl<QLineEdit>(*this, kTimeLimit);
    timeLimitBox_ = RequireControl<QCheckBox>(*this, kTimeLimitCheck);
    musicFile_->setMaxLength(32767);  // a path has no limit of its own here

    connect(timeLimitBox_, &QCheckBox::clicked, this, [this] {
        ExchangeValues(true);
        EnableTimeLimitEdit();
    });
    connect(music_, &QCheckBox::clicked, this, [this] {
        ExchangeValues(true);
        EnableMusicFile();
    });
    connect(browse_, &QPushButton::clicked, this, &COptionDialog::Browse);
    connect(RequireControl<QPushButton>(*this, kOk), &QPushButton::clicked, this, &COptionDialog::accept);
    connect(RequireControl<QPushButton>(*this, kCancel), &QPushButton::clicked, this, &COptionDialog::reject);
}

void COptionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // back from minimized: nothing to fill
    timeLimitCheck_ = values_.timeLimit != 0 ? 1 : 0;
    ExchangeValues(false);
    // Each step reads on its own, so a stored limit out of range is refused twice.
    ExchangeValues(true);
    EnableTimeLimitEdit();
    ExchangeValues(true);
    EnableMusicFile();
}

bool COptionDialog::ExchangeValues(bool read) {
    if (!read) {
        music_->setChecked(values_.bgmFlag == 1);
        musicFile_->setText(FromUtf8(values_.bgmFile));
        completeMode_->setChecked(values_.completeMode == 1);
        lenient_->setChecked(values_.lenientAnswers == 1);
        hint_->setChecked(values_.useHint == 1);
        timeLimit_->setText(QString::number(values_.timeLimit));
        timeLimitBox_->setChecked(timeLimitCheck_ == 1);
        return true;
    }
    values_.bgmFlag = Flag(*music_);
    values_.bgmFile = ToUtf8(musicFile_->text());
    values_.completeMode = Flag(*completeMode_);
    values_.lenientAnswers = Flag(*lenient_);
    values_.useHint = Flag(*hint_);
    const std::optional<std::uint32_t> seconds = ReadUnsignedText(ToUtf8(timeLimit_->text()));
    std::string refusal;
    if (!seconds) {
        refusal = kNotUnsignedMessage;
    } else {
        values_.timeLimit = *seconds;
        if (!IsTimeLimitInRange(*seconds)) refusal = TimeLimitRangeMessage();
    }
    if (!refusal.empty()) {
        prompt_.ShowMessage(refusal, kProgramName, PromptIcon::Exclamation, PromptButtons::Ok);
        timeLimit_->setFocus(Qt::OtherFocusReason);
        timeLimit_->selectAll();
        return false;
    }
    timeLimitCheck_ = Flag(*timeLimitBox_);
    return true;
}

// Both follow the values, so after a refused reading they keep the state from before the click.
void COptionDialog::EnableTimeLimitEdit() { timeLimit_->setEnabled(timeLimitCheck_ == 1); }

void COptionDialog::EnableMusicFile() {
    musicFile_->setEnabled(values_.bgmFlag == 1);
    browse_->setEnabled(values_.bgmFlag == 1);
}

void COptionDialog::Browse() {
    FileDialogRequest request;
    request.filter = kMusicFilter;
    request.defaultExtension = "mid";
    request.initialFileName = "*.mid";
    request.initialFolder = ".";
    const std::optional<std::string> path = prompt_.ChooseFile(request);
    if (!path) return;
    values_.bgmFile = *path;
    // Only the music file: what the learner typed or ticked elsewhere stays as it stands.
    musicFile_->setText(FromUtf8(*path));
}

void COptionDialog::accept() {
    if (!ExchangeValues(true)) return;
    if (timeLimitCheck_ == 0) {
        values_.timeLimit = 0;
        ExchangeValues(false);
    }
    if (!ExchangeValues(true)) return;
    QDialog::accept();
}
