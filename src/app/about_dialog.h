#pragma once
// The about box: the program's name, version and icon, closed with OK or Escape.
#include <QDialog>

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 100;
    explicit CAboutDialog(QWidget* parent = nullptr);
};
