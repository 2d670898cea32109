#include "platform/qt/window_fit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

// What a window manager adds around a window: a title bar and thin borders. The frame is not
// known before the window is first mapped, so this errs on the large side.
QSize FrameAllowance(const QWidget& window) {
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint)) return {0, 0};
    const int title = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight),
                               2 * QFontMetrics(QApplication::font()).height());
    return {8, title + 8};
}

QRect AvailableArea(const QWidget& window) {
    const QWidget* owner = window.parentWidget() != nullptr ? window.parentWidget()->window() : &window;
    const QScreen* screen = owner->screen() != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The length below which a list or text box would no longer show what it is for: a few lines
// (two of a text box), and a dozen characters across.
QSize SmallestView(const QWidget& control) {
    const QFontMetrics metrics = control.fontMetrics();
    const auto* area = qobject_cast<const QAbstractScrollArea*>(&control);
    const int frame = 2 * area->frameWidth() + 4;
    const int lines = qobject_cast<const QPlainTextEdit*>(&control) != nullptr ? 2 : 3;
    return {12 * metrics.averageCharWidth() + frame, lines * metrics.height() + frame};
}

int MenuHeight(const QWidget& window) {
    const auto* menu = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    return menu != nullptr && !menu->isNativeMenuBar() ? menu->height() : 0;
}

}  // namespace

CAxisFit::CAxisFit(const std::vector<Span>& spans, int length) : length_(length) {
    stops_ = {0, length};
    for (const Span& span : spans) {
        stops_.push_back(span.start);
        stops_.push_back(span.end);
    }
    std::sort(stops_.begin(), stops_.end());
    stops_.erase(std::unique(stops_.begin(), stops_.end()), stops_.end());
    // A stretch is elastic where an elastic span covers it and no rigid one does.
    for (std::size_t i = 0; i + 1 < stops_.size(); ++i) {
        const int from = stops_[i];
        const int to = stops_[i + 1];
        bool elastic = false;
        bool rigid = false;
        for (const Span& span : spans) {
            if (span.start > from || span.end < to) continue;
            (span.elastic ? elastic : rigid) = true;
        }
        elastic_.push_back(elastic && !rigid);
        if (elastic_.back() && from >= 0 && to <= length) elasticLength_ += to - from;
    }
    floor_ = elasticLength_ > 0 ? 0.0 : 1.0;
    for (const Span& span : spans) {
        if (!span.elastic) continue;
        const int whole = span.end - span.start;
        const int elastic = Map(span.end, 1.0) - Map(span.start, 1.0) - (Map(span.end, 0.0) - Map(span.start, 0.0));
        if (elastic > 0) floor_ = std::max(floor_, double(span.minimum - (whole - elastic)) / elastic);
    }
    floor_ = std::clamp(floor_, 0.0, 1.0);
}

double CAxisFit::FactorFor(int length, bool mayGrow) const {
    if (elasticLength_ == 0) return 1.0;
    const double factor = std::max(floor_, double(length - (length_ - elasticLength_)) / elasticLength_);
    return mayGrow ? factor : std::min(factor, 1.0);
}

int CAxisFit::Map(int position, double factor) const {
    double mapped = std::min(position, stops_.empty() ? position : stops_.front());
    for (std::size_t i = 0; i + 1 < stops_.size() && position > stops_[i]; ++i) {
        const int part = std::min(position, stops_[i + 1]) - stops_[i];
        mapped += elastic_[i] ? part * factor : part;
    }
    if (!stops_.empty() && position > stops_.back()) mapped += position - stops_.back();
    return static_cast<int>(std::lround(mapped));
}

CWindowFit::CWindowFit(QWidget& window, bool sizable)
    : QObject(&window),
      window_(window),
      sizable_(sizable),
      vertical_(new QScrollBar(Qt::Vertical, &window)),
      horizontal_(new QScrollBar(Qt::Horizontal, &window)) {
    for (QScrollBar* bar : {vertical_, horizontal_}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this, &CWindowFit::Layout);
    }
    window.installEventFilter(this);
    // The control the keyboard reaches is scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && captured_ && window_.isAncestorOf(now)) ShowControl(*now);
    });
}

bool CWindowFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::Show && !captured_) {
            FitInto(AvailableArea(window_));
        } else if (event->type() == QEvent::Resize && captured_) {
            Layout();
        }
    }
    return QObject::eventFilter(watched, event);
}

void CWindowFit::Capture() {
    captured_ = true;
    base_ = window_.size();
    std::vector<CAxisFit::Span> across;
    std::vector<CAxisFit::Span> down;
    for (QWidget* child : window_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child == vertical_ || child == horizontal_ || qobject_cast<QMenuBar*>(child)) continue;
        const QRect place = child->geometry();
        placed_.push_back({child, place});
        QSize smallest = place.size();
        if (qobject_cast<QAbstractScrollArea*>(child) != nullptr) smallest = SmallestView(*child);
        const bool wide = smallest.width() < place.width();
        const bool tall = smallest.height() < place.height();
        across.push_back({place.left(), place.left() + place.width(), wide, smallest.width()});
        down.push_back({place.top(), place.top() + place.height(), tall, smallest.height()});
    }
    across_ = CAxisFit(across, base_.width());
    down_ = CAxisFit(down, base_.height());
}

void CWindowFit::FitInto(const QRect& available) {
    if (!captured_) Capture();
    const QSize room = available.size() - FrameAllowance(window_);
    // Every window can be made smaller than its template; below what the lists and boxes
    // give up, it scrolls.
    const QSize smallest(std::min({across_.Smallest(), base_.width() * 2 / 3, room.width()}),
                         std::min({down_.Smallest(), base_.height() * 2 / 3, room.height()}));
    window_.setMinimumSize(smallest.expandedTo(QSize(1, 1)));
    window_.setMaximumSize(sizable_ ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : base_);
    window_.resize(base_.boundedTo(room).expandedTo(window_.minimumSize()));
    Layout();
}

void CWindowFit::Layout() {
    if (laying_ || !captured_) return;
    laying_ = true;
    const int width = window_.width();
    const int height = window_.height();
    const int menu = MenuHeight(window_);
    const int barWidth = vertical_->sizeHint().width();
    const int barHeight = horizontal_->sizeHint().height();
    bool scrollDown = height < down_.Smallest();
    const bool scrollAcross = width - (scrollDown ? barWidth : 0) < across_.Smallest();
    if (scrollAcross) scrollDown = height - barHeight < down_.Smallest();
    const int viewWidth = width - (scrollDown ? barWidth : 0);
    const int viewHeight = height - (scrollAcross ? barHeight : 0);
    const double across = across_.FactorFor(viewWidth, sizable_);
    const double down = down_.FactorFor(viewHeight, sizable_);

    const int line = window_.fontMetrics().height();
    vertical_->setRange(0, std::max(0, down_.LengthAt(down) - viewHeight));
    vertical_->setPageStep(std::max(line, viewHeight - menu));
    vertical_->setSingleStep(line);
    vertical_->setGeometry(width - barWidth, menu, barWidth, viewHeight - menu);
    vertical_->setVisible(scrollDown);
    horizontal_->setRange(0, std::max(0, across_.LengthAt(across) - viewWidth));
    horizontal_->setPageStep(std::max(line, viewWidth));
    horizontal_->setSingleStep(line);
    horizontal_->setGeometry(0, height - barHeight, viewWidth, barHeight);
    horizontal_->setVisible(scrollAcross);
    const int left = scrollAcross ? horizontal_->value() : 0;
    const int top = scrollDown ? vertical_->value() : 0;

    for (const Placed& placed : placed_) {
        const QRect& base = placed.base;
        const int x = across_.Map(base.left(), across);
        const int y = down_.Map(base.top(), down);
        placed.control->setGeometry(x - left, y - top, across_.Map(base.left() + base.width(), across) - x,
                                    down_.Map(base.top() + base.height(), down) - y);
    }
    if (auto* bar = window_.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->setGeometry(0, 0, width, menu);
        bar->raise();
    }
    vertical_->raise();
    horizontal_->raise();
    laying_ = false;
}

void CWindowFit::ShowControl(const QWidget& control) {
    const QWidget* top = &control;
    while (top->parentWidget() != nullptr && top->parentWidget() != &window_) top = top->parentWidget();
    const QRect place = top->geometry();
    // The far end into view, then the near one, which wins for a control larger than the view.
    const auto reveal = [](QScrollBar& bar, int start, int end, int viewStart, int viewEnd) {
        if (bar.isHidden()) return;
        int shift = std::max(0, end - viewEnd);
        if (start - shift < viewStart) shift = start - viewStart;
        bar.setValue(bar.value() + shift);
    };
    const QRect view = Viewport();
    reveal(*vertical_, place.top(), place.bottom() + 1, view.top(), view.bottom() + 1);
    reveal(*horizontal_, place.left(), place.right() + 1, view.left(), view.right() + 1);
}

QRect CWindowFit::Viewport() const {
    QRect view = window_.rect();
    view.setTop(MenuHeight(window_));
    if (!vertical_->isHidden()) view.setRight(vertical_->x() - 1);
    if (!horizontal_->isHidden()) view.setBottom(horizontal_->y() - 1);
    return view;
}

CWindowFit* WindowFitOf(const QWidget& window) {
    return window.findChild<CWindowFit*>(QString(), Qt::FindDirectChildrenOnly);
}

QSize SizeWithinScreen(const QWidget& window, QSize wanted) {
    return wanted.boundedTo(AvailableArea(window).size() - FrameAllowance(window));
}
