#include "platform/qt/dialog_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QTreeWidget>
#include <stdexcept>

#include "platform/qt/fonts.h"
#include "platform/qt/up_down.h"
#include "platform/qt/window_fit.h"

namespace {

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    // Rounded half away from zero, as dialog unit conversion has always been.
    return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                         : (product - denominator / 2) / denominator);
}

QStringList ReadStrings(const QJsonValue& value) {
    QStringList result;
    for (const QJsonValue& item : value.toArray()) result.append(item.toString());
    return result;
}

QRect ReadRect(const QJsonValue& value) {
    const QJsonArray numbers = value.toArray();
    if (numbers.size() != 4) return {};
    return QRect(numbers[0].toInt(), numbers[1].toInt(), numbers[2].toInt(), numbers[3].toInt());
}

void ApplyCommonStyle(QWidget& control, const CControlTemplate& item) {
    const QStringList& style = item.style;
    if (style.contains(QStringLiteral("disabled"))) control.setEnabled(false);
    // A box that only shows text is no Tab stop unless its template makes it one.
    const bool display = item.kind == QLatin1String("edit") && style.contains(QStringLiteral("readonly")) &&
                         !style.contains(QStringLiteral("tabstop"));
    if (display || style.contains(QStringLiteral("notabstop"))) {
        control.setFocusPolicy(control.focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    } else if (style.contains(QStringLiteral("tabstop")) && control.focusPolicy() != Qt::NoFocus) {
        control.setFocusPolicy(Qt::StrongFocus);
    }
    if (style.contains(QStringLiteral("hidden"))) control.hide();
}

QWidget* MakeEdit(QWidget& parent, const CControlTemplate& item) {
    const QStringList& style = item.style;
    const bool readOnly = style.contains(QStringLiteral("readonly"));
    if (style.contains(QStringLiteral("multiline"))) {
        auto* edit = new QPlainTextEdit(&parent);
        edit->setPlainText(item.caption);
        edit->setReadOnly(readOnly);
        edit->setVerticalScrollBarPolicy(style.contains(QStringLiteral("vscroll")) ? Qt::ScrollBarAsNeeded
                                                                                   : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(style.contains(QStringLiteral("hscroll")) ? Qt::ScrollBarAsNeeded
                                                                                     : Qt::ScrollBarAlwaysOff);
        if (!style.contains(QStringLiteral("hscroll"))) edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Without "wantreturn" Enter belongs to the dialog, as Tab always does.
        edit->setTabChangesFocus(true);
        return edit;
    }
    auto* edit = new QLineEdit(item.caption, &parent);
    edit->setReadOnly(readOnly);
    if (style.contains(QStringLiteral("centre"))) edit->setAlignment(Qt::AlignCenter);
    if (style.contains(QStringLiteral("right"))) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (style.contains(QStringLiteral("password"))) edit->setEchoMode(QLineEdit::Password);
    edit->setTextMargins(0, 0, 0, 0);
    return edit;
}

QWidget* MakeListBox(QWidget& parent, const CControlTemplate& item) {
    const QStringList& style = item.style;
    auto* list = new QListWidget(&parent);
    if (style.contains(QStringLiteral("extended")))
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    else if (style.contains(QStringLiteral("multiple")))
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    else
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (style.contains(QStringLiteral("sort"))) list->setSortingEnabled(true);
    // "disablenoscroll": the bar is always there, greyed while the lines fit.
    list->setVerticalScrollBarPolicy(style.contains(QStringLiteral("disablenoscroll")) ? Qt::ScrollBarAlwaysOn
                                     : style.contains(QStringLiteral("vscroll"))      ? Qt::ScrollBarAsNeeded
                                                                                      : Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(style.contains(QStringLiteral("hscroll")) ? Qt::ScrollBarAsNeeded
                                                                                 : Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* MakeStatic(QWidget& parent, const CControlTemplate& item, int pixelHeight) {
    auto* label = new QLabel(item.caption, &parent);
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (item.style.contains(QStringLiteral("centre"))) horizontal = Qt::AlignHCenter;
    if (item.style.contains(QStringLiteral("right"))) horizontal = Qt::AlignRight;
    label->setAlignment(horizontal | Qt::AlignTop);
    // A static text wraps at words where its box holds more than one line.
    label->setWordWrap(pixelHeight >= 2 * QFontMetrics(parent.font()).height() &&
                       !item.style.contains(QStringLiteral("nowrap")));
    if (item.style.contains(QStringLiteral("sunken"))) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget* MakeTree(QWidget& parent, const CControlTemplate& item, bool report) {
    auto* tree = new QTreeWidget(&parent);
    tree->setHeaderHidden(!report || item.style.contains(QStringLiteral("noheader")));
    tree->setRootIsDecorated(!report);
    if (report) {
        tree->setSelectionMode(item.style.contains(QStringLiteral("singlesel")) ? QAbstractItemView::SingleSelection
                                                                                : QAbstractItemView::ExtendedSelection);
        tree->setAllColumnsShowFocus(true);
        tree->header()->setSectionsMovable(false);
    }
    return tree;
}

QWidget* MakeControl(QWidget& parent, const CControlTemplate& item, int pixelHeight) {
    const QString& kind = item.kind;
    const QStringList& style = item.style;
    if (kind == QLatin1String("listbox")) return MakeListBox(parent, item);
    if (kind == QLatin1String("edit")) return MakeEdit(parent, item);
    if (kind == QLatin1String("static")) return MakeStatic(parent, item, pixelHeight);
    if (kind == QLatin1String("button")) {
        auto* button = new QPushButton(item.caption, &parent);
        if (style.contains(QStringLiteral("default"))) button->setDefault(true);
        return button;
    }
    if (kind == QLatin1String("groupbox")) return new QGroupBox(item.caption, &parent);
    if (kind == QLatin1String("radio")) return new QRadioButton(item.caption, &parent);
    if (kind == QLatin1String("checkbox")) return new QCheckBox(item.caption, &parent);
    if (kind == QLatin1String("combobox")) {
        auto* combo = new QComboBox(&parent);
        combo->setEditable(style.contains(QStringLiteral("dropdown")));
        return combo;
    }
    // "itemview": a view over a model the window supplies, for trees too large for widget items.
    if (kind == QLatin1String("treeview") && style.contains(QStringLiteral("itemview"))) {
        auto* view = new QTreeView(&parent);
        view->setHeaderHidden(true);
        view->setUniformRowHeights(true);
        return view;
    }
    if (kind == QLatin1String("treeview")) return MakeTree(parent, item, false);
    if (kind == QLatin1String("listview")) return MakeTree(parent, item, true);
    if (kind == QLatin1String("updown")) {
        auto* upDown = new CUpDown(&parent);
        upDown->SetWrap(style.contains(QStringLiteral("wrap")));
        upDown->SetArrowKeys(style.contains(QStringLiteral("arrowkeys")));
        return upDown;
    }
    throw std::runtime_error("dialog template: unknown control kind " + kind.toStdString());
}

}  // namespace

CDialogTemplate ParseDialogTemplate(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw std::runtime_error("dialog template: " + error.errorString().toStdString());
    const QJsonObject root = document.object();
    CDialogTemplate result;
    result.id = root.value(QStringLiteral("id")).toInt();
    result.caption = root.value(QStringLiteral("caption")).toString();
    const QJsonObject font = root.value(QStringLiteral("font")).toObject();
    result.fontFace = font.value(QStringLiteral("face")).toString(QStringLiteral("ＭＳ Ｐゴシック"));
    result.pointSize = font.value(QStringLiteral("size")).toInt(9);
    const QJsonArray size = root.value(QStringLiteral("size")).toArray();
    if (size.size() == 2) result.size = QSize(size[0].toInt(), size[1].toInt());
    result.style = ReadStrings(root.value(QStringLiteral("style")));
    for (const QJsonValue& value : root.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject control = value.toObject();
        CControlTemplate item;
        item.id = control.value(QStringLiteral("id")).toInt(65535);
        item.kind = control.value(QStringLiteral("kind")).toString();
        item.caption = control.value(QStringLiteral("caption")).toString();
        item.rect = ReadRect(control.value(QStringLiteral("rect")));
        item.style = ReadStrings(control.value(QStringLiteral("style")));
        result.controls.append(item);
    }
    return result;
}

CDialogTemplate LoadDialogTemplate(int id) {
    QFile file(QStringLiteral(":/dialogs/%1.json").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("dialog template " + std::to_string(id) + " is missing");
    return ParseDialogTemplate(file.readAll());
}

QSize DialogBaseUnits(const QWidget& dialog) {
    const QFontMetrics metrics(dialog.font());
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int averageWidth = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return QSize(averageWidth, metrics.height());
}

QRect DialogUnitsToPixels(const QWidget& dialog, const QRect& units) {
    const QSize base = DialogBaseUnits(dialog);
    return QRect(MulDiv(units.x(), base.width(), 4), MulDiv(units.y(), base.height(), 8),
                 MulDiv(units.width(), base.width(), 4), MulDiv(units.height(), base.height(), 8));
}

void BuildDialog(QWidget& dialog, const CDialogTemplate& dialogTemplate) {
    dialog.setFont(DialogFont(dialogTemplate.fontFace, dialogTemplate.pointSize));
    dialog.setWindowTitle(dialogTemplate.caption);
    if (dialog.isWindow() && dialogTemplate.style.contains(QStringLiteral("caption"))) {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (dialogTemplate.style.contains(QStringLiteral("minimizebox"))) flags |= Qt::WindowMinimizeButtonHint;
        dialog.setWindowFlags(flags);
    }
    const QSize size = DialogUnitsToPixels(dialog, QRect(QPoint(0, 0), dialogTemplate.size)).size();
    if (dialog.isWindow()) {
        dialog.resize(size);
        new CWindowFit(dialog, dialogTemplate.style.contains(QStringLiteral("thickframe")));
    } else {
        dialog.setFixedSize(size);
    }

    QWidget* previous = nullptr;
    QButtonGroup* radioGroup = nullptr;
    for (const CControlTemplate& item : dialogTemplate.controls) {
        const QRect pixels = DialogUnitsToPixels(dialog, item.rect);
        QWidget* control = MakeControl(dialog, item, pixels.height());
        control->setObjectName(QString::number(item.id));
        control->setGeometry(pixels);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            // The template's height includes the dropped-down list.
            control->setGeometry(pixels.x(), pixels.y(), pixels.width(),
                                 std::min(pixels.height(), combo->sizeHint().height()));
        }
        if (auto* upDown = qobject_cast<CUpDown*>(control)) {
            upDown->resize(pixels.size());
            if (auto* buddy = qobject_cast<QLineEdit*>(previous); buddy && !item.style.contains(QStringLiteral("nobuddy")))
                upDown->SetBuddy(buddy);
        }
        // Radio buttons form one exclusive set per run; "group" starts a new set.
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            if (!radioGroup || item.style.contains(QStringLiteral("group"))) radioGroup = new QButtonGroup(&dialog);
            radioGroup->addButton(radio);
        } else {
            radioGroup = nullptr;
        }
        ApplyCommonStyle(*control, item);
        previous = control;
    }
}
