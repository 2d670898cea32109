#include "gui/modal_closer.h"

#include <QApplication>
#include <QTest>

CModalCloser::CModalCloser(std::function<void(QWidget&)> check) : check_(std::move(check)) {
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, &CModalCloser::Poll);
    timer_.start();
}

void CModalCloser::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == handled_) return;
    handled_ = modal;
    classNames_.append(QString::fromLatin1(modal->metaObject()->className()));
    if (check_) check_(*modal);
    QTest::keyClick(modal, Qt::Key_Escape);
}
