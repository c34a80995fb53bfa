// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include "WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace eh {

namespace {

QScreen* ActiveScreen()
{
    if (QWidget* active = QApplication::activeWindow())
        return active->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

QString ApplicationTitle() { return QCoreApplication::applicationName(); }

void ShowNotice(const QString& text)
{
    QScreen* screen = ActiveScreen();
    QDialog box;
    box.setObjectName("NoticeBox");
    box.setWindowTitle(ApplicationTitle());
    box.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.setWindowModality(Qt::ApplicationModal);

    auto* label = new QLabel(text, &box);
    label->setObjectName("NoticeText");
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    const int halfScreen = screen ? screen->geometry().width() / 2 : 640;
    label->setMaximumWidth(halfScreen);
    // A word-wrapped label would otherwise wrap short lines too early.
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line) + 1);
    label->setMinimumWidth(std::min(halfScreen, widest));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    buttons->setCenterButtons(true);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText("OK");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (screen) {
        box.adjustSize();
        CentreOnScreen(box, *screen);
    }
    // Escape rejects a QDialog, which closes it just as "OK" does.
    box.exec();
}

void ShowFailureBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    box.setObjectName("FailureBox");
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace eh
