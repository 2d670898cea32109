#pragma once
// The five offered answers of a choice question (template 151): radio buttons whose texts wrap
// onto as many lines as they need, stacked in a white panel that scrolls when they do not fit.
#include <QRadioButton>
#include <QScrollArea>

#include <array>
#include <optional>
#include <string>

class QButtonGroup;

// A radio button that wraps its text at the button's width, indicator beside the first line,
// and takes clicks anywhere on its text.
class CChoiceButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;
    // The height this button needs to show its whole text at the given width.
    int HeightForText(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    int TextLeft() const;
};

class CChoicePanel : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int kSlots = 5;
    using SlotTexts = std::array<std::optional<std::string>, kSlots>;  // CP932; nullopt: slot hidden

    explicit CChoicePanel(QWidget* parent = nullptr);

    // Shows the filled slots from the top, unchecked, each as tall as its text needs; hides the
    // others and scrolls back to the top.
    void Fill(const SlotTexts& texts);
    // The checked choice's text exactly as it was given to Fill (not as displayed): the first
    // checked slot, the scan stopping at the first hidden one; empty when none is checked.
    std::string CheckedText() const;
    void FocusFirstSlot();

    CChoiceButton* Slot(int slot) const { return buttons_[slot]; }
    int SlotHeight(int slot) const { return slotRects_[slot].height(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    int SlotWidth(int slot, int available) const;

    QWidget* content_;
    QButtonGroup* group_;
    std::array<CChoiceButton*, kSlots> buttons_{};
    std::array<QRect, kSlots> templateRects_;  // as the template places them, in pixels
    std::array<QRect, kSlots> slotRects_;      // as laid out for the current texts
    SlotTexts texts_;
};
