#pragma once
// Asks for the name under which a placed result is kept (template 155). It closes only with OK:
// Escape and the close box leave it open, so a placed result always gets its name.
#include <QDialog>

#include <string>

class CPrompt;
class QLabel;
class QLineEdit;

class CNameEntryDialog : public QDialog {
    Q_OBJECT

public:
    // rateText as the run formats it ("85.00 %").
    CNameEntryDialog(int position, const std::string& rateText, CPrompt& prompt, QWidget* parent = nullptr);

    // The name exactly as typed (blanks kept), as CP932 bytes; empty when none was typed.
    const std::string& Name() const { return name_; }

public slots:
    void accept() override;
    void reject() override;

private:
    CPrompt& prompt_;
    QLineEdit* nameBox_;
    std::string name_;
};
