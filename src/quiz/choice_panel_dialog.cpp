#include "quiz/choice_panel_dialog.h"

#include <QButtonGroup>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/qt/background.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/text_bridge.h"

namespace {

constexpr int kVerticalPadding = 2;  // above and below the text of a slot
constexpr int kOpeningHeight = 18;   // a slot's height before the first question fills it

QString DisplayText(const std::string& cp932) {
    QString text = FromCp932(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// Breaks the text into lines of the given width as an edit control does: at word boundaries,
// and inside a word that is longer than a whole line. Returns the height of the lines.
int LayOutLines(QTextLayout& layout, int width) {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(y));
}

QString LayoutText(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return lines;
}

}  // namespace

int CChoiceButton::TextLeft() const {
    return style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
}

int CChoiceButton::HeightForText(int width) const {
    QTextLayout layout(LayoutText(text()), font());
    const int textHeight = LayOutLines(layout, std::max(1, width - TextLeft()));
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    return std::max({textHeight, fontMetrics().height(), indicator}) + 2 * kVerticalPadding;
}

void CChoiceButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const int lineHeight = fontMetrics().height();
    const int indicatorWidth = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this);
    const int indicatorHeight = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    QStyleOptionButton indicator = option;
    indicator.rect = QRect(0, kVerticalPadding + (lineHeight - indicatorHeight) / 2, indicatorWidth, indicatorHeight);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const QRect textArea = rect().adjusted(TextLeft(), kVerticalPadding, 0, -kVerticalPadding);
    QTextLayout layout(LayoutText(text()), font());
    const int textHeight = LayOutLines(layout, textArea.width());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    layout.draw(&painter, textArea.topLeft());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(textArea.left() - 1, textArea.top(), textArea.width() + 1, textHeight);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CChoiceButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

CChoicePanel::CChoicePanel(QWidget* parent)
    : QScrollArea(parent), content_(new QWidget), group_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("151"));
    // The builder makes the panel's other controls; the slots are made here as wrapping buttons.
    CDialogTemplate panelTemplate = LoadDialogTemplate(151);
    QList<CControlTemplate> slotTemplates;
    for (auto it = panelTemplate.controls.begin(); it != panelTemplate.controls.end();) {
        if (it->kind == QLatin1String("radio")) {
            slotTemplates.append(*it);
            it = panelTemplate.controls.erase(it);
        } else {
            ++it;
        }
    }
    if (slotTemplates.size() != kSlots) throw std::runtime_error("dialog template 151 needs five choice buttons");
    BuildDialog(*content_, panelTemplate);
    setFont(content_->font());

    for (int slot = 0; slot < kSlots; ++slot) {
        const CControlTemplate& item = slotTemplates[slot];
        auto* button = new CChoiceButton(item.caption, content_);
        button->setObjectName(QString::number(item.id));
        const QRect pixels = DialogUnitsToPixels(*content_, item.rect);
        templateRects_[slot] = QRect(pixels.left(), pixels.top(), pixels.width(), kOpeningHeight);
        group_->addButton(button, slot);
        buttons_[slot] = button;
    }

    // Framed as the text boxes are; the panel itself takes no focus, its choices do.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setWidget(content_);
    ApplyWhiteBackground(*this);  // the frame's shade follows the panel's own colour, not the pattern
    ApplyWhiteBackground(*viewport());
    ApplyWhiteBackground(*content_);
    verticalScrollBar()->setSingleStep(fontMetrics().height());
    LayOut();
}

void CChoicePanel::Fill(const SlotTexts& texts) {
    texts_ = texts;
    // An exclusive group always keeps one button checked; a new question starts with none.
    group_->setExclusive(false);
    for (int slot = 0; slot < kSlots; ++slot) {
        CChoiceButton* button = buttons_[slot];
        button->setChecked(false);
        button->setText(texts[slot] ? DisplayText(*texts[slot]) : QString());
        button->setVisible(texts[slot].has_value());
    }
    group_->setExclusive(true);
    LayOut();
    verticalScrollBar()->setValue(0);
}

int CChoicePanel::SlotWidth(int slot, int available) const {
    const QRect& rect = templateRects_[slot];
    return std::max(1, std::min(rect.width(), available - rect.left() - 2));
}

void CChoicePanel::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    LayOut();
}

void CChoicePanel::LayOut() {
    const QRect inside = contentsRect();
    const int scrollBarWidth = verticalScrollBar()->sizeHint().width();
    // Heights follow the width the texts get, which shrinks when the scroll bar is needed.
    auto measure = [&](int available, std::array<int, kSlots>& heights) {
        int total = templateRects_[0].top();
        for (int slot = 0; slot < kSlots; ++slot) {
            heights[slot] = texts_[slot] ? buttons_[slot]->HeightForText(SlotWidth(slot, available))
                                         : templateRects_[slot].height();
            if (texts_[slot]) total += heights[slot];
        }
        return total + templateRects_[0].top();
    };
    std::array<int, kSlots> heights{};
    int available = inside.width();
    int total = measure(available, heights);
    const bool scrolls = total > inside.height();
    if (scrolls) {
        available -= scrollBarWidth;
        total = measure(available, heights);
    }
    // Set here rather than left to the scroll area, so the bar and the widths agree at once.
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    int y = templateRects_[0].top();
    for (int slot = 0; slot < kSlots; ++slot) {
        slotRects_[slot] = QRect(templateRects_[slot].left(), y, SlotWidth(slot, available), heights[slot]);
        buttons_[slot]->setGeometry(slotRects_[slot]);
        if (texts_[slot]) y += heights[slot];
    }
    content_->setFixedSize(std::max(1, available), std::max(total, inside.height()));
}

std::string CChoicePanel::CheckedText() const {
    for (int slot = 0; slot < kSlots && texts_[slot]; ++slot) {
        if (buttons_[slot]->isChecked()) return *texts_[slot];
    }
    return {};
}

void CChoicePanel::FocusFirstSlot() {
    if (texts_[0]) buttons_[0]->setFocus(Qt::OtherFocusReason);
}
