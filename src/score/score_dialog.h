#pragma once
// The score table (template 154): the results of one ranking of the current word list, a chooser
// for the other rankings and a button that clears the one shown. Browsing never changes the
// ranking a following run enters its result into: the current ranking is put back on closing.
#include <QDialog>

class CAppSettings;
class CPrompt;
class CRankList;
class QComboBox;
class QPushButton;
class QTreeWidget;

class CScoreDialog : public QDialog {
    Q_OBJECT

public:
    // markedPosition: the 1-based row of a result just entered, shown selected; 0 or less: none.
    CScoreDialog(CAppSettings& settings, CPrompt& prompt, QWidget* parent = nullptr, int markedPosition = 0);

public slots:
    void done(int result) override;

private:
    void FillList();
    void Clear();

    CAppSettings& settings_;
    CPrompt& prompt_;
    CRankList* rankingAtOpening_ = nullptr;
    QComboBox* chooser_;
    QTreeWidget* list_;
    QPushButton* clearButton_;
};
