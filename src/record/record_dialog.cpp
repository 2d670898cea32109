#include "record/record_dialog.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/prompt.h"
#include "platform/qt/background.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text_bridge.h"
#include "record/record_dialog_model.h"
#include "record/record_store.h"
#include "record/weak_question_table.h"

namespace {

constexpr const char* kCaption = "学習記録";
constexpr const char* kNothingYet = "まだ記録がありません。解答すると、ここに成績の推移が表示されます。";

template <class T>
T* Numbered(T* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

QPushButton* Button(const char* caption, int id) {
    auto* button = Numbered(new QPushButton(QString::fromUtf8(caption)), id);
    button->setAutoDefault(false);  // Enter belongs to the table
    return button;
}

// A chart, or in its place the sentence that says there is nothing to draw yet.
QStackedWidget* ChartOrSentence(QChartView* view, int sentenceId) {
    auto* stack = new QStackedWidget;
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(160, 120);  // the charts shrink so the window fits a small screen
    stack->addWidget(view);
    auto* sentence = Numbered(new QLabel(QString::fromUtf8(kNothingYet)), sentenceId);
    sentence->setAlignment(Qt::AlignCenter);
    sentence->setWordWrap(true);
    stack->addWidget(sentence);
    return stack;
}

}  // namespace

CRecordDialog::CRecordDialog(CRecordStore* store, const CWordList& list, std::string wordListFile,
                             std::vector<std::string> selectedGenres, CPrompt& prompt, Reviewer reviewer,
                             QWidget* parent)
    : QDialog(parent),
      store_(store),
      list_(list),
      wordListFile_(std::move(wordListFile)),
      selectedGenres_(std::move(selectedGenres)),
      prompt_(prompt),
      reviewer_(std::move(reviewer)) {
    setWindowTitle(QString::fromUtf8(kCaption));
    setFont(DialogFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    ApplyBackground(*this);
    setSizeGripEnabled(true);

    auto* tabs = Numbered(new QTabWidget, kTabs);
    tabs->addTab(BuildProgressPart(), QStringLiteral("成績の推移(&P)"));
    tabs->addTab(BuildDaysPart(), QStringLiteral("日ごとの解答数(&D)"));
    tabs->addTab(BuildTablePart(), QStringLiteral("苦手な問題(&Q)"));
    auto* clear = Button("記録を消去...", kClear);
    auto* close = Button("閉じる", kClose);
    clear->setEnabled(store_ != nullptr);
    connect(clear, &QPushButton::clicked, this, &CRecordDialog::Clear);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(clear);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(bottom);

    SetTabOrder();
    Refresh();
    FitToScreen();
}

CRecordDialog::~CRecordDialog() = default;

QWidget* CRecordDialog::BuildProgressPart() {
    auto* page = new QWidget;
    chooser_ = Numbered(new QComboBox, kChooser);
    if (!selectedGenres_.empty()) {
        QStringList names;
        for (const std::string& name : selectedGenres_) names << FromCp932(name);
        chooser_->addItem(QStringLiteral("選択中のジャンル（%1）").arg(names.join(QStringLiteral("・"))));
    }
    chooser_->addItem(QStringLiteral("すべての回"));
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chooser_->setMinimumContentsLength(12);
    connect(chooser_, &QComboBox::currentIndexChanged, this, &CRecordDialog::FillProgress);
    auto* label = new QLabel(QStringLiteral("表示する回(&S):"));
    label->setBuddy(chooser_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(chooser_, 1);
    progressView_ = Numbered(new QChartView, kProgressChart);
    progressStack_ = ChartOrSentence(progressView_, kProgressEmpty);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(progressStack_, 1);
    return page;
}

QWidget* CRecordDialog::BuildDaysPart() {
    daysView_ = Numbered(new QChartView, kDaysChart);
    daysStack_ = ChartOrSentence(daysView_, kDaysEmpty);
    return daysStack_;
}

QWidget* CRecordDialog::BuildTablePart() {
    auto* page = new QWidget;
    filter_ = Numbered(new QLineEdit, kFilter);
    filter_->setPlaceholderText(QStringLiteral("ジャンルか問題の一部"));
    filter_->setClearButtonEnabled(true);
    auto* label = new QLabel(QStringLiteral("絞り込み(&F):"));
    label->setBuddy(filter_);
    // Each key would read the record again: the filter waits for a pause in typing, or Enter.
    filterDelay_ = new QTimer(this);
    filterDelay_->setSingleShot(true);
    filterDelay_->setInterval(300);
    connect(filterDelay_, &QTimer::timeout, this, &CRecordDialog::ApplyFilter);
    connect(filter_, &QLineEdit::textChanged, filterDelay_, qOverload<>(&QTimer::start));
    connect(filter_, &QLineEdit::returnPressed, this, &CRecordDialog::ApplyFilter);

    model_ = new CWeakQuestionModel(store_, wordListFile_, this);
    table_ = Numbered(new QTableView, kTable);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(WeakColumn::Box), Qt::AscendingOrder);
    ApplyWhiteBackground(*table_);
    table_->setFont(font());  // measured before the table joins the window
    const QFontMetrics metrics = table_->fontMetrics();
    const int em = metrics.horizontalAdvance(QStringLiteral("あ"));
    const int date = metrics.horizontalAdvance(QStringLiteral("2026/12/07")) + em;
    const int widths[] = {7 * em, 14 * em, 3 * em, 3 * em, 4 * em, date, date};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        table_->setColumnWidth(column, widths[column]);
    table_->installEventFilter(this);

    auto* review = Button("復習する(&R)", kReview);
    auto* save = Button("CSVで保存...", kSaveCsv);
    review->setEnabled(store_ != nullptr);
    save->setEnabled(store_ != nullptr);
    connect(review, &QPushButton::clicked, this, &CRecordDialog::Review);
    connect(save, &QPushButton::clicked, this, &CRecordDialog::SaveCsv);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(filter_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(review);
    buttons->addWidget(save);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    return page;
}

void CRecordDialog::SetTabOrder() {
    const int order[] = {kTabs, kChooser, kFilter, kTable, kReview, kSaveCsv, kClear, kClose};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(findChild<QWidget*>(QString::number(order[i])), findChild<QWidget*>(QString::number(order[i + 1])));
}

void CRecordDialog::FitToScreen() {
    // Small enough for a 800x500 screen (1600x1000 at scale 2); larger where there is room.
    setMinimumSize(480, 320);
    QSize size(760, 540);
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size.expandedTo(minimumSize()));
}

void CRecordDialog::Refresh() {
    FillProgress();
    FillDays();
    model_->Reload();
}

std::chrono::sys_days CRecordDialog::Today() const {
    return (store_ ? store_->Clock() : SystemRecordClock()).Today();
}

bool CRecordDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Review();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CRecordDialog::ApplyFilter() {
    filterDelay_->stop();
    model_->SetFilter(ToCp932(filter_->text()));
}

void CRecordDialog::Review() {
    if (!store_) return;
    std::vector<QuestionStateRow> rows;
    QModelIndexList selected = table_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& index : selected) rows.push_back(model_->Row(index.row()));
    if (rows.empty()) {
        WeakQuestionQuery due;
        due.dueBy = Today();
        rows = store_->WeakQuestions(wordListFile_, due, 0, 0);
    }
    std::vector<CQuestion*> questions = QuestionsOfRows(list_, rows);
    if (questions.empty()) {
        prompt_.ShowMessage(selected.isEmpty() ? "今日が復習の日の問題はありません。表で問題を選ぶと、その問題を復習できます。"
                                               : "選んだ問題は、今のワードリストにありません。",
                            "復習", PromptIcon::Information, PromptButtons::Ok);
        return;
    }
    reviewer_(std::move(questions));
    Refresh();
}

void CRecordDialog::SaveCsv() {
    if (!store_) return;
    FileDialogRequest request;
    request.save = true;
    request.filter = "CSV(*.csv)|*.csv|全て(*.*)|*.*||";
    request.defaultExtension = "csv";
    request.initialFileName = "学習記録.csv";
    request.initialFolder = std::filesystem::path(wordListFile_).parent_path().string();
    const std::optional<std::string> path = prompt_.ChooseFile(request);
    WeakQuestionQuery query = model_->Query();
    if (model_->MatchesNothing()) query.dueBy = std::chrono::sys_days{};  // no question is due before 1970
    if (path && !WriteWeakQuestionsCsv(*store_, wordListFile_, query, *path))
        prompt_.ShowMessage(*path + " : 書き込み中にエラーが発生しました。", kCaption, PromptIcon::Exclamation,
                            PromptButtons::Ok);
}

void CRecordDialog::Clear() {
    if (!store_) return;
    if (prompt_.ShowMessage(wordListFile_ + "\r\nこのワードリストの学習記録をすべて消去します。よろしいですか？",
                            kCaption, PromptIcon::Question, PromptButtons::YesNo, PromptDefault::Last) != PromptAnswer::Yes)
        return;
    if (!store_->ClearWordList(wordListFile_))
        prompt_.ShowMessage(wordListFile_ + "\r\n学習記録を消去できませんでした。", kCaption, PromptIcon::Exclamation,
                            PromptButtons::Ok);
    Refresh();
}
