// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the three windows as a user sees them after calculating the first
// example, into PNG files for the documentation; a second argument is added
// to the file names (the screen scale they were drawn at).
#include "ApplicationShell.h"
#include "LabeledEdit.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "WindowPlacement.h"
#include "uInterface.h"

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QTextEdit>

namespace {

bool Save(QWidget& window, const QString& path)
{
    eh::ShowAndRaise(window);
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200);
    return window.grab().save(path);
}

} // namespace

int main(int argc, char** argv)
{
    eh::TApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        qCritical("usage: screenshot-tool OUTPUT_FOLDER [NAME_SUFFIX]");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString suffix = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto file = [&](const char* window) {
        return output.filePath(QString("screenshot-%1%2.png").arg(window, suffix));
    };

    eh::TForm1 form1;
    eh::TForm2 form2;
    eh::TForm3 form3(eh::DefaultHelpFolders());
    form3.FormCreate();
    form1.SetHelpWindows(&form2, &form3);

    form1.show();
    if (!QTest::qWaitForWindowExposed(&form1))
        return 1;
    const char* const exampleA[] = {"14.2", "50", "3", "1", "2", "50", "0"};
    eh::LabeledEdit* const fields[] = {form1.EC15, form1.EC16, form1.EC17, form1.EC33,
                                       form1.EC34, form1.EC36, form1.EC27};
    for (int i = 0; i < 7; ++i)
        QTest::keyClicks(fields[i], exampleA[i]);
    QTest::keyClick(form1.EC15, Qt::Key_Return);
    form1.RichEdit1->moveCursor(QTextCursor::Start);

    const bool saved =
        Save(form1, file("main")) && Save(form3, file("help")) && Save(form2, file("about"));
    return saved ? 0 : 1;
}
