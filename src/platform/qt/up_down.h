#pragma once
// Our up-down control: two arrow buttons that step a position through a range and write it
// into a buddy edit as a decimal integer. Before each step it takes the buddy's text as the
// position when that is a number in range, so a typed value is stepped from, not overwritten.
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    // The buddy shows the position; the up-down places itself at the buddy's right edge.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    // lower may exceed upper: the up arrow then counts down, as the range is read from lower
    // (bottom) to upper (top).
    void SetRange(int lower, int upper);
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }

    // Clamped into the range; writes the buddy's text.
    void SetPosition(int position);
    int Position() const { return position_; }

    void SetWrap(bool wrap) { wrap_ = wrap; }
    bool Wraps() const { return wrap_; }
    // Up and down arrow keys typed in the buddy step the control.
    void SetArrowKeys(bool arrowKeys) { arrowKeys_ = arrowKeys; }

    // One step towards upper (+1) or towards lower (-1).
    void Step(int direction);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void PositionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void AttachToBuddy();
    void WriteBuddy();
    void TakePositionFromBuddy();

    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> buddy_;
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
    bool wrap_ = false;
    bool arrowKeys_ = false;
};
