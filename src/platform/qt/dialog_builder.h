#pragma once
#include <stdexcept>
#include <string>
// Windows are built from dialog templates kept as data (res/dialogs/<id>.json): positions in
// dialog units, controls named by their numbers, so code and tests find a control by the number
// it is documented with.
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

struct CControlTemplate {
    int id = 0;
    QString kind;     // listbox, edit, button, static, groupbox, radio, checkbox, combobox,
                      // treeview (a QTreeView with style "itemview"), listview, updown
    QString caption;
    QRect rect;       // dialog units
    QStringList style;
};

struct CDialogTemplate {
    int id = 0;
    QString caption;
    QString fontFace;
    int pointSize = 9;
    QSize size{0, 0};  // dialog units, the client area
    QStringList style;
    QList<CControlTemplate> controls;
};

// Reads ":/dialogs/<id>.json". A missing or malformed template is a build fault of ours, not
// the learner's: it throws std::runtime_error naming the template.
CDialogTemplate LoadDialogTemplate(int id);
// The same from JSON text (for templates made on the fly).
CDialogTemplate ParseDialogTemplate(const QByteArray& json);

// Sets the widget's font, size and caption and creates the controls as its children; each
// control's objectName is its number ("65535" for the unnamed statics). A window is fitted
// into its screen when first shown (CWindowFit); a part of a window keeps the template's size.
void BuildDialog(QWidget& dialog, const CDialogTemplate& dialogTemplate);

// The dialog font's base units: x = average character width, y = character height, in pixels.
QSize DialogBaseUnits(const QWidget& dialog);
// Dialog units to pixels with the dialog font: x * baseX / 4, y * baseY / 8.
QRect DialogUnitsToPixels(const QWidget& dialog, const QRect& units);

template <class T>
T* FindControl(const QWidget& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

// A control the dialog cannot work without: a template that lacks it is a build fault.
template <class T>
T* RequireControl(const QWidget& dialog, int id) {
    T* control = FindControl<T>(dialog, id);
    if (control == nullptr)
        throw std::runtime_error(std::string(dialog.metaObject()->className()) + " lacks control " + std::to_string(id));
    return control;
}
