#pragma once
// Asks the editor for a genre name (template 143). New-genre mode: a name typed in 1023, refused
// when empty or already a genre's. Child-genre mode: one of the genres offered in 1025, every
// genre of the list but the receiving one and those it already includes directly.
#include <QDialog>

#include <string>

class CPrompt;
class CWordList;

class CGenreDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNewGenre = 0;
    static constexpr int kChildGenre = 1;

    // receivingGenre: CP932 bytes; only the child-genre mode reads it.
    CGenreDialog(const CWordList& list, int mode, std::string receivingGenre, CPrompt& prompt,
                 QWidget* parent = nullptr);

    void SetReceivingGenre(std::string name);  // before exec(), child-genre mode
    // After OK: the chosen or typed name, trimmed, as CP932 bytes; empty otherwise.
    const std::string& GetName() const { return name_; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;  // fills the controls for the mode

private:
    const CWordList& list_;
    int mode_;
    std::string receivingGenre_;
    CPrompt& prompt_;
    std::string name_;
};
