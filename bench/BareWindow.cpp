// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the window program's start-up: a bare Qt Widgets window
// with what the main window holds (a menu bar with two menus, seven input
// fields, a text pane) and nothing of the program's own.
#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextEdit>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu("File");
    file->addAction("Save");
    file->addAction("Exit");
    QMenu* help = window.menuBar()->addMenu("Help");
    help->addAction("Help");
    help->addAction("About");
    auto* client = new QWidget(&window);
    auto* fields = new QFormLayout;
    for (int i = 0; i < 7; ++i)
        fields->addRow(QString("Field %1").arg(i + 1), new QLineEdit);
    auto* layout = new QHBoxLayout(client);
    layout->addLayout(fields);
    layout->addWidget(new QTextEdit, 1);
    window.setCentralWidget(client);
    window.resize(800, 500);
    window.show();
    return application.exec();
}
