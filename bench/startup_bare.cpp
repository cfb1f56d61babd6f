// SPDX-License-Identifier: MIT
// The least a Qt Widgets program with a window like the main screen's does: a main window with
// a menu bar and six buttons. The yardstick for the program's own start-up.
#include "firstpaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint("bare");
    QApplication::instance()->installEventFilter(&firstPaint);

    QMainWindow window;
    window.setObjectName(QStringLiteral("bare"));
    window.setWindowTitle(QStringLiteral("Bare"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Options..."));
    file->addAction(QStringLiteral("&Quit"));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&How to use..."));
    help->addAction(QStringLiteral("&About..."));

    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    for (int k = 0; k < 6; ++k) {
        auto* button = new QPushButton(QStringLiteral("Button %1").arg(k + 1), client);
        button->setGeometry(8 + (k / 3) * 168, 8 + (k % 3) * 24, 73, 17);
    }
    window.resize(248, 79 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
