#pragma once
// A window built from a template keeps the template's look where the screen has room and fits
// where it has not: it opens inside the screen's available area, the lists and text boxes give
// up room first (down to a few lines), and what still does not fit scrolls. A window whose
// template has a sizing border also grows, the lists and text boxes taking the room.
#include <QObject>
#include <QRect>
#include <QSize>
#include <vector>

class QScrollBar;
class QWidget;

// One axis of a layout. The stretches where only elastic controls lie are scaled by one
// factor; the rest (rigid controls and the gaps between controls) keeps its length.
class CAxisFit {
public:
    struct Span {
        int start;
        int end;
        bool elastic;
        int minimum;  // the shortest an elastic span may become
    };
    CAxisFit() = default;
    CAxisFit(const std::vector<Span>& spans, int length);

    int Length() const { return length_; }
    // The shortest length the spans can be laid out in, each elastic span at its minimum.
    int Smallest() const { return LengthAt(floor_); }
    // The factor for a window length: elastic room scaled to fill it, never below the floor,
    // and above 1 only when mayGrow.
    double FactorFor(int length, bool mayGrow) const;
    // A template position laid out with a factor.
    int Map(int position, double factor) const;
    int LengthAt(double factor) const { return Map(length_, factor); }

private:
    std::vector<int> stops_;     // the ends of every span, sorted, 0 and the length among them
    std::vector<bool> elastic_;  // per stretch between two stops
    int length_ = 0;
    int elasticLength_ = 0;
    double floor_ = 1.0;
};

class CWindowFit : public QObject {
    Q_OBJECT
public:
    // Watches window: at its first show its controls' places are taken as the template layout
    // and it is fitted into its screen. sizable: it may grow past the template size.
    CWindowFit(QWidget& window, bool sizable);

    // Sizes the window so that it and a frame fit into available (a screen's available area,
    // in the window's own pixels), and sets its smallest and largest size.
    void FitInto(const QRect& available);
    // Scrolls, where the window scrolls at all, until control is in view.
    void ShowControl(const QWidget& control);
    // The part of the window the controls are seen in: below the menu, beside the scroll bars.
    QRect Viewport() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QWidget* control;
        QRect base;
    };
    void Capture();
    void Layout();

    QWidget& window_;
    bool sizable_;
    bool captured_ = false;
    bool laying_ = false;
    QSize base_;
    std::vector<Placed> placed_;
    CAxisFit across_;
    CAxisFit down_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
};

// The fit a window built from a template carries, or nullptr.
CWindowFit* WindowFitOf(const QWidget& window);

// wanted, made small enough for the window and its frame to fit into the screen it opens on.
QSize SizeWithinScreen(const QWidget& window, QSize wanted);
