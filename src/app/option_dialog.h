#pragma once
// The options (template 148): hints, complete mode, typed answers judged kindly, the time
// limit per question and the background music. The dialog works on copies; the caller copies
// them back after OK.
#include <QDialog>

#include <cstdint>
#include <string>

class CPrompt;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The values the main window hands over before exec() and takes back after OK.
struct COptionValues {
    int bgmFlag = 0;
    std::string bgmFile;  // native path
    int completeMode = 0;
    int useHint = 0;
    std::uint32_t timeLimit = 0;  // the settings' signed value, bit for bit
    int lenientAnswers = 0;
};

class COptionDialog : public QDialog {
    Q_OBJECT

public:
    explicit COptionDialog(CPrompt& prompt, QWidget* parent = nullptr);

    COptionValues& Values() { return values_; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;  // fills the controls and enables them

private:
    // Values to controls, or (read) controls to values with the time limit validated: false
    // after a refusal has been shown, with the values read so far taken.
    bool ExchangeValues(bool read);
    void EnableTimeLimitEdit();
    void EnableMusicFile();
    void Browse();

    CPrompt& prompt_;
    COptionValues values_;
    int timeLimitCheck_ = 0;

    QCheckBox* music_;
    QLineEdit* musicFile_;
    QPushButton* browse_;
    QCheckBox* completeMode_;
    QCheckBox* lenient_;
    QCheckBox* hint_;
    QLineEdit* timeLimit_;
    QCheckBox* timeLimitBox_;
};
