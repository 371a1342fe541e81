// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalErrorBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

ModalErrorBoxes::ModalErrorBoxes(std::function<void()> whileOpen, std::function<int()> openForMs)
    : whileOpen(std::move(whileOpen)), openForMs_(std::move(openForMs))
{
    connect(&poll_, &QTimer::timeout, this, &ModalErrorBoxes::Look);
    poll_.start(5);
}

void ModalErrorBoxes::Look()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box == current_)
        return;
    current_ = box;
    shown << box->windowTitle() + QLatin1Char('|') + box->text();
    if (maxBoxes >= 0 && shown.size() > maxBoxes)
        qFatal("error boxes keep coming back: %lld so far, the last \"%s\"", static_cast<long long>(shown.size()),
               qPrintable(shown.last()));
    const int openFor = openForMs_();
    QTimer::singleShot(openFor / 2, this, [this] {
        if (whileOpen)
            whileOpen();
    });
    QTimer::singleShot(openFor, box, [box] { QTest::keyClick(box, Qt::Key_Return); });
}
