#pragma once
// The learning-record window of one word list: the rate of its runs over time, the answers of
// the last 30 days, and its weak questions, from which a review run starts. A view over the
// record's queries; the run itself goes through the main window's review path.
#include <QDialog>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "record/record_window_rows.h"

class CPrompt;
class CQuestion;
class CRecordStore;
class CWeakQuestionModel;
class CWordList;
class QChartView;
class QComboBox;
class QLineEdit;
class QStackedWidget;
class QTableView;
class QTimer;

class CRecordDialog : public QDialog {
    Q_OBJECT
public:
    // Each control's objectName is its number.
    enum Control {
        kTabs = 1100,
        kChooser = 1101,  // the genre set selected in the main window, or every run
        kProgressChart = 1102,
        kDaysChart = 1103,
        kFilter = 1104,
        kTable = 1105,
        kReview = 1106,
        kSaveCsv = 1107,
        kClear = 1108,
        kClose = 1109,
        kProgressEmpty = 1110,  // the sentence shown in place of a chart without data
        kDaysEmpty = 1111,
    };
    static constexpr std::size_t kLatestRuns = 200;  // points of the progress chart
    static constexpr int kDays = 30;

    // Takes a review run's questions; returns when the run has ended.
    using Reviewer = std::function<void(std::vector<CQuestion*>)>;

    // store may be null (no record): every part is empty. selectedGenres: CP932 names in list
    // order, the genre set of the main window's selection.
    CRecordDialog(CRecordStore* store, const CWordList& list, std::string wordListFile,
                  std::vector<std::string> selectedGenres, CPrompt& prompt, Reviewer reviewer,
                  QWidget* parent = nullptr);
    ~CRecordDialog() override;

    CWeakQuestionModel& Model() const { return *model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildProgressPart();
    QWidget* BuildDaysPart();
    QWidget* BuildTablePart();
    void SetTabOrder();
    void FitToScreen();
    void Refresh();  // every part, after the record changed
    void FillProgress();
    void FillDays();
    void ApplyFilter();
    void Review();
    void SaveCsv();
    void Clear();
    std::chrono::sys_days Today() const;

    CRecordStore* store_;
    const CWordList& list_;
    std::string wordListFile_;
    std::vector<std::string> selectedGenres_;
    CPrompt& prompt_;
    Reviewer reviewer_;
    std::vector<ProgressPoint> progress_;

    CWeakQuestionModel* model_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QChartView* progressView_ = nullptr;
    QChartView* daysView_ = nullptr;
    QStackedWidget* progressStack_ = nullptr;
    QStackedWidget* daysStack_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTimer* filterDelay_ = nullptr;
    QTableView* table_ = nullptr;
};
