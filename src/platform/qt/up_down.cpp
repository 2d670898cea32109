#include "platform/qt/up_down.h"

#include <QKeyEvent>
#include <algorithm>

CUpDown::CUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CUpDown::SetBuddy(QLineEdit* buddy) {
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (!buddy_) return;
    buddy_->installEventFilter(this);
    AttachToBuddy();
}

void CUpDown::AttachToBuddy() {
    const QRect edit = buddy_->geometry();
    setGeometry(edit.right() + 1, edit.top(), width() > 0 ? width() : edit.height(), edit.height());
}

void CUpDown::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    const int low = std::min(lower_, upper_);
    const int high = std::max(lower_, upper_);
    position_ = std::clamp(position_, low, high);
}

void CUpDown::SetPosition(int position) {
    position_ = std::clamp(position, std::min(lower_, upper_), std::max(lower_, upper_));
    WriteBuddy();
    emit PositionChanged(position_);
}

void CUpDown::TakePositionFromBuddy() {
    if (!buddy_) return;
    bool isNumber = false;
    const int typed = buddy_->text().trimmed().toInt(&isNumber);
    if (isNumber && typed >= std::min(lower_, upper_) && typed <= std::max(lower_, upper_)) position_ = typed;
}

void CUpDown::Step(int direction) {
    if (lower_ == upper_) return;
    TakePositionFromBuddy();
    // Moving "up" goes from lower towards upper, whichever of them is the larger number.
    const int delta = (upper_ > lower_ ? 1 : -1) * direction;
    const long long next = static_cast<long long>(position_) + delta;
    const int low = std::min(lower_, upper_);
    const int high = std::max(lower_, upper_);
    int position = position_;
    if (next > high) {
        position = wrap_ ? low : high;
    } else if (next < low) {
        position = wrap_ ? high : low;
    } else {
        position = static_cast<int>(next);
    }
    SetPosition(position);
}

void CUpDown::WriteBuddy() {
    if (buddy_) buddy_->setText(QString::number(position_));
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_) {
        if (event->type() == QEvent::KeyPress && arrowKeys_ && isEnabled()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Step(key == Qt::Key_Up ? +1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            AttachToBuddy();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
