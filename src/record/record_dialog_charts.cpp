// The record window's two charts: the rate of each run over time, and the answers per day.
#include <QCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

#include "record/record_dialog.h"
#include "record/record_store.h"

namespace {

// A fresh chart in the view's place; the view lets go of the old one without deleting it.
QChart* NewChart(QChartView& view, const QFont& font) {
    QChart* old = view.chart();
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->legend()->setFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    view.setChart(chart);
    delete old;
    return chart;
}

template <class Axis>
Axis* AddAxis(QChart& chart, Axis* axis, Qt::Alignment alignment, const QFont& font) {
    axis->setLabelsFont(font);
    chart.addAxis(axis, alignment);
    for (QAbstractSeries* series : chart.series()) series->attachAxis(axis);
    return axis;
}

QString ProgressTip(const ProgressPoint& point) {
    return QStringLiteral("%1\n%2問中 %3問正解（%4%）")
        .arg(QDateTime::fromSecsSinceEpoch(point.started).toString(QStringLiteral("yyyy/MM/dd hh:mm")))
        .arg(point.count)
        .arg(point.right)
        .arg(point.rate, 0, 'f', 1);
}

}  // namespace

void CRecordDialog::FillProgress() {
    const bool bySelection = !selectedGenres_.empty() && chooser_->currentIndex() == 0;
    progress_ = store_ ? store_->Progress(wordListFile_, bySelection ? &selectedGenres_ : nullptr, kLatestRuns)
                       : std::vector<ProgressPoint>();
    progressStack_->setCurrentIndex(progress_.empty() ? 1 : 0);
    QChart* chart = NewChart(*progressView_, font());
    if (progress_.empty()) return;

    // Review runs are drawn apart: they ask the weak questions, so their rate is lower.
    QLineSeries* series[2] = {new QLineSeries, new QLineSeries};
    series[0]->setName(QStringLiteral("通常の回"));
    series[1]->setName(QStringLiteral("復習"));
    std::vector<const ProgressPoint*> shown[2];
    for (const ProgressPoint& point : progress_) {
        series[point.review]->append(static_cast<qreal>(point.started) * 1000, point.rate);
        shown[point.review].push_back(&point);
    }
    for (int kind = 0; kind < 2; ++kind) {
        series[kind]->setPointsVisible(true);
        chart->addSeries(series[kind]);
        if (shown[kind].empty()) chart->legend()->markers(series[kind]).front()->setVisible(false);
        connect(series[kind], &QXYSeries::hovered, this, [this, points = shown[kind]](const QPointF& at, bool on) {
            if (!on) return QToolTip::hideText();
            // The point nearest in time to the pointer along the line.
            auto nearest = std::min_element(points.begin(), points.end(), [&](const ProgressPoint* a, const ProgressPoint* b) {
                return std::abs(a->started * 1000.0 - at.x()) < std::abs(b->started * 1000.0 - at.x());
            });
            QToolTip::showText(QCursor::pos(), ProgressTip(**nearest), progressView_);
        });
    }
    auto* time = AddAxis(*chart, new QDateTimeAxis, Qt::AlignBottom, font());
    time->setFormat(QStringLiteral("MM/dd"));
    time->setTickCount(5);
    // A single day still gets a span, so the points do not sit on the axis ends.
    const qint64 first = progress_.front().started, last = progress_.back().started;
    const qint64 margin = std::max<qint64>((last - first) / 20, 3600);
    time->setRange(QDateTime::fromSecsSinceEpoch(first - margin), QDateTime::fromSecsSinceEpoch(last + margin));
    auto* rate = AddAxis(*chart, new QValueAxis, Qt::AlignLeft, font());
    rate->setRange(0, 100);
    rate->setTickCount(6);
    rate->setLabelFormat(QStringLiteral("%d%%"));
}

void CRecordDialog::FillDays() {
    const std::chrono::sys_days today = Today();
    const std::chrono::sys_days first = today - std::chrono::days(kDays - 1);
    const std::vector<DayTally> tallies =
        store_ ? store_->AnswersPerDayOf(wordListFile_, first, today) : std::vector<DayTally>();
    daysStack_->setCurrentIndex(tallies.empty() ? 1 : 0);
    QChart* chart = NewChart(*daysView_, font());
    if (tallies.empty()) return;

    auto* right = new QBarSet(QStringLiteral("正解"));
    auto* wrong = new QBarSet(QStringLiteral("不正解"));
    right->setColor(QColor(0x3C, 0x9A, 0x5F));
    wrong->setColor(QColor(0xD9, 0x5B, 0x4B));
    // A label each week, ending today: thirty labels do not fit a small window.
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(-0.5);
    unsigned most = 0;
    auto tally = tallies.begin();
    for (std::chrono::sys_days day = first; day <= today; day += std::chrono::days(1)) {
        const std::chrono::year_month_day date{day};
        const int index = static_cast<int>((day - first).count());
        if ((kDays - 1 - index) % 7 == 0)
            axis->append(QStringLiteral("%1/%2").arg(static_cast<unsigned>(date.month())).arg(static_cast<unsigned>(date.day())),
                         index);
        const bool answered = tally != tallies.end() && tally->day == DayText(day);
        const unsigned r = answered ? tally->right : 0, w = answered ? tally->wrong : 0;
        *right << r;
        *wrong << w;
        most = std::max(most, r + w);
        if (answered) ++tally;
    }
    auto* series = new QStackedBarSeries;
    series->append(right);
    series->append(wrong);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    AddAxis(*chart, axis, Qt::AlignBottom, font())->setRange(-0.5, kDays - 0.5);
    auto* count = AddAxis(*chart, new QValueAxis, Qt::AlignLeft, font());
    count->setRange(0, std::max(most, 1u));
    count->setLabelFormat(QStringLiteral("%d"));
    count->applyNiceNumbers();
}
