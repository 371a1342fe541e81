// SPDX-License-Identifier: GPL-3.0-or-later
// The bare window (BareWindow.h) in the browser, for the web benchmark
// (bench/web_bench.py): started by the same page as the program, drawing
// with the same faces from the site, and shown until the page goes.

#include "BareWindow.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QScreen>

int main(int, char** argv)
{
    int argc = 1;
    QApplication application(argc, argv);
    const QDir fonts(QStringLiteral("/fonts"));
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
    // The site's subsets carry names of their own.
    QFont::insertSubstitution(QStringLiteral("IPAPGothic"), QStringLiteral("Kavrel P Gothic"));
    QFont::insertSubstitution(QStringLiteral("IPAMincho"), QStringLiteral("Kavrel Mincho"));
    QFont::insertSubstitution(QStringLiteral("IPAPMincho"), QStringLiteral("Kavrel P Mincho"));
    const std::unique_ptr<QWidget> window = MakeBareWindow();
    // Not show(), which fills the page: placed as the program's window is.
    window->move((window->screen()->size().width() - window->width()) / 2,
                 (window->screen()->size().height() - window->height()) / 2);
    window->setVisible(true);
    return application.exec();
}
