// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' text on a screen drawn at the scale given by QT_SCALE_FACTOR
// (the test runs once per scale): every caption fits its label and the
// letters grow with the layout.
#include "ApplicationShell.h"
#include "LabeledEdit.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

QList<eh::LabeledEdit*> Fields(eh::TForm1& form)
{
    return {form.Edits.begin(), form.Edits.end()};
}

// Height in device pixels of the rows of `widget` that hold dark pixels.
int InkHeight(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// Every field's caption ends 20 pixels left of its box and shows whole.
void VerifyCaptionsShowWhole(eh::TForm1& form)
{
    for (eh::LabeledEdit* edit : Fields(form)) {
        const QLabel* label = edit->EditLabel();
        QVERIFY2(label->x() >= 2, qPrintable(label->text()));
        QCOMPARE(label->geometry().right() + 1, edit->x() - 20);
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                 qPrintable(label->text()));
    }
}

} // namespace

class WindowScalingTest : public QObject {
    Q_OBJECT

private slots:
    void captionsFitAndLettersGrowWithTheScale()
    {
        eh::TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const qreal scale = form.devicePixelRatioF();
        QCOMPARE(scale, qgetenv("QT_SCALE_FACTOR").toDouble());
        VerifyCaptionsShowWhole(form);
        // "Частота (МГц)  = " is 10 pixels from the top of its parentheses to
        // their bottom at 96 pixels per inch, the menu bar's "Файл Справка"
        // 12 from the top of "Ф" to the bottom of "р", in either face; a face
        // that stays at its own size on a scaled screen keeps them that many
        // device pixels high.
        QWidget* const texts[] = {form.Edits[0]->EditLabel(), form.menuBar()};
        for (QWidget* text : texts) {
            const double height = InkHeight(*text) / scale;
            QVERIFY2(height >= 9 && height <= 13.5, qPrintable(QString::number(height)));
        }
    }

    void withoutTheBitmapFaceEveryCaptionStillShowsWhole()
    {
        eh::TForm1 form;
        // What the windows get when fonts-wine is missing: Debian's general
        // sans-serif face, wider than "MS Sans Serif".
        QFont general("DejaVu Sans");
        general.setPixelSize(11);
        form.setFont(general);
        VerifyCaptionsShowWhole(form);
    }

    void menusUseTheWindowFace()
    {
        eh::TForm1 form;
        for (const QMenu* menu : {form.N1, form.N4})
            QCOMPARE(menu->font(), form.menuBar()->font());
    }
};

EH_WINDOW_TEST_MAIN(WindowScalingTest)

#include "WindowScalingTest.moc"
