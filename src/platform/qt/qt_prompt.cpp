#include "platform/qt/qt_prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

#include "platform/qt/text_bridge.h"

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::Exclamation: return QMessageBox::Warning;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    QMessageBox::StandardButton standard;
    const char* label;
    PromptAnswer answer;
};

QList<ButtonSpec> ButtonsFor(PromptButtons buttons) {
    const ButtonSpec ok{QMessageBox::Ok, "OK", PromptAnswer::Ok};
    const ButtonSpec cancel{QMessageBox::Cancel, "キャンセル", PromptAnswer::Cancel};
    const ButtonSpec yes{QMessageBox::Yes, "はい", PromptAnswer::Yes};
    const ButtonSpec no{QMessageBox::No, "いいえ", PromptAnswer::No};
    switch (buttons) {
        case PromptButtons::Ok: return {ok};
        case PromptButtons::OkCancel: return {ok, cancel};
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo: return {yes, no};
        case PromptButtons::YesNoCancel: return {yes, no, cancel};
    }
    return {ok};
}

// What closing the box without a button means: cancel where there is one, else the only
// way out (OK, or No for a plain yes/no question).
PromptAnswer EscapeAnswer(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok: return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo: return PromptAnswer::No;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel: break;
    }
    return PromptAnswer::Cancel;
}

// The file dialog's dates in the program's locale rather than the desktop's.
class CLocalDateColumn : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (files == nullptr || role != Qt::DisplayRole || index.column() != kDateColumn)
            return QIdentityProxyModel::data(index, role);
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }

private:
    static constexpr int kDateColumn = 3;
};

// Wide and tall enough for the names, sizes, kinds and dates to be read whole.
void MakeColumnsReadable(QFileDialog& dialog) {
    const int line = dialog.fontMetrics().height();
    dialog.resize(52 * line, 28 * line);
    dialog.setProxyModel(new CLocalDateColumn(&dialog));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

}  // namespace

PromptAnswer CQtPrompt::ShowMessage(const std::string& text, const std::string& caption, PromptIcon icon,
                                    PromptButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(ToQtIcon(icon));
    box.setWindowTitle(FromUtf8(caption));
    QString shown = FromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    const QList<ButtonSpec> specs = ButtonsFor(buttons);
    QList<QPair<QAbstractButton*, PromptAnswer>> made;
    for (const ButtonSpec& spec : specs) {
        QPushButton* button = box.addButton(spec.standard);
        button->setText(QString::fromUtf8(spec.label));
        made.append({button, spec.answer});
    }
    const auto& byDefault = buttons == PromptButtons::YesNoDefaultNo ? made.last() : made.first();
    box.setDefaultButton(static_cast<QPushButton*>(byDefault.first));
    box.exec();
    for (const auto& [button, answer] : made) {
        if (box.clickedButton() == button) return answer;
    }
    return EscapeAnswer(buttons);
}

QStringList ConvertFileFilter(const std::string& filter) {
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        if (label.isEmpty()) break;  // the "||" that ends the list
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        result.append(label.endsWith(shown) ? label : QStringLiteral("%1 %2").arg(label, shown));
    }
    return result;
}

std::optional<std::string> CQtPrompt::ChooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(request.save ? QStringLiteral("名前を付けて保存") : QStringLiteral("ファイルを開く"));
    dialog.setLabelText(QFileDialog::Accept, request.save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類:"));
    const QStringList filters = ConvertFileFilter(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(FromUtf8(request.defaultExtension));
    if (!request.initialFolder.empty()) dialog.setDirectory(FromUtf8(request.initialFolder));
    // A wildcard name only repeats the filter; a real name is offered as the file.
    const QString initialName = FromUtf8(request.initialFileName);
    if (!initialName.isEmpty() && !initialName.contains(QLatin1Char('*')) && !initialName.contains(QLatin1Char('?')))
        dialog.selectFile(initialName);
    MakeColumnsReadable(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return ToUtf8(chosen.first());
}
