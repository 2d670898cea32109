#pragma once
// Answers the modal dialogs a window opens during a test: each newly shown modal widget is
// recorded, handed to an optional check, and closed with Escape.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

class CModalCloser : public QObject {
public:
    explicit CModalCloser(std::function<void(QWidget&)> check = {});

    int Count() const { return static_cast<int>(classNames_.size()); }
    const QStringList& ClassNames() const { return classNames_; }

private:
    void Poll();

    std::function<void(QWidget&)> check_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    QStringList classNames_;
};
