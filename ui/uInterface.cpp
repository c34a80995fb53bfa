// SPDX-License-Identifier: GPL-3.0-or-later
#include "uInterface.h"

#include "ApplicationShell.h"
#include "DesignTables.h"
#include "FileDialogTexts.h"
#include "GlyphButton.h"
#include "LabeledEdit.h"
#include "MainWindowTexts.h"
#include "MeasurementFigures.h"
#include "MeasurementView.h"
#include "MessageBoxes.h"
#include "ReadOnlyPane.h"
#include "RegionalSettings.h"
#include "ReportFileWriter.h"
#include "SaveTargetPolicy.h"
#include "ReportText.h"
#include "RichTextPane.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTextEdit>

namespace eh {

namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 446;
constexpr int kMinimumClientWidth = 792;
constexpr int kMinimumClientHeight = 396; // 450 outer, less frame, caption and menu
constexpr int kPanelWidth = 339;

// Where a field of InputTable() sits in its group box.
struct FieldPlace {
    int left;
    int top;
};

QGroupBox* MakeGroupBox(const QString& title, QWidget* parent, int top, int height)
{
    auto* box = new QGroupBox(title, parent);
    box->setGeometry(1, top, kPanelWidth - 2, height);
    return box;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle(kMainWindowCaption);
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    CreateControls();
    CreateMenus();
    pane_ = std::make_unique<RichTextPane>(*RichEdit1);
    // The sizes are the client area's, below the menu bar.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    layout()->activate();
    const int menuHeight = height() - centralWidget()->height();
    setMinimumSize(kMinimumClientWidth, kMinimumClientHeight + menuHeight);
    resize(kClientWidth, kClientHeight + menuHeight);
    Edits.front()->setFocus();
    CentreOnFirstShow(*this);
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setFixedWidth(kPanelWidth);

    GroupBox1 = MakeGroupBox(kGroupTitles[0], Panel1, 1, 140);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox2 = MakeGroupBox(kGroupTitles[1], Panel1, 141, 109);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox3 = MakeGroupBox(kGroupTitles[2], Panel1, 250, 133);
    GroupBox3->setObjectName("GroupBox3");

    // In the reading order of InputTable().
    const std::array<FieldPlace, kInputCount> places = {{
        {206, 28}, {206, 60}, {206, 92}, {208, 14}, {208, 45}, {208, 76}, {208, 38},
    }};
    QGroupBox* const groups[] = {GroupBox1, GroupBox2, GroupBox3};
    for (size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        const TFieldPresentation& presentation = FieldPresentation()[i];
        auto* edit = new LabeledEdit(input.component, QString(input.label) + presentation.captionTail,
                                     groups[presentation.group]);
        edit->Place(places[i].left, places[i].top);
        if (*presentation.toolTip) {
            edit->setToolTip(presentation.toolTip);
            edit->setToolTipDuration(kToolTipDisplayMs);
        }
        connect(edit, &LabeledEdit::keyPressed, this, &TForm1::EC15KeyPress);
        if (i > 0)
            setTabOrder(Edits[i - 1], edit);
        Edits[i] = edit;
    }

    Label1 = new QLabel(kBandwidthNote, GroupBox3);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(2, 74, 333, 57);

    BitBtn1 = new GlyphButton(kCalculateCaption, ":/glyphs/check.png", ":/glyphs/check-disabled.png", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(76, 400, 159, 41);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    RichEdit1 = new QTextEdit(client);
    RichEdit1->setObjectName("RichEdit1");
    MakeReadOnlyPane(*RichEdit1);

    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(RichEdit1, 1);

    setTabOrder(Edits.back(), BitBtn1);
    setTabOrder(BitBtn1, RichEdit1);
}

void TForm1::CreateMenus()
{
    N1 = menuBar()->addMenu("Файл");
    N1->setObjectName("N1");
    N2 = N1->addAction(kSaveCaption, this, [this] { N2Click(); });
    N2->setObjectName("N2");
    N3 = N1->addAction("Выход", this, [this] { N3Click(); });
    N3->setObjectName("N3");
    N7 = menuBar()->addMenu("Вид");
    N7->setObjectName("N7");
    N8 = N7->addAction("Обзор конструкции…", this, [this] { N8Click(); });
    N8->setObjectName("N8");
    N8->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    N9 = N7->addAction(QString("&%1…").arg(kMeasurementTitle), this, [this] { N9Click(); });
    N9->setObjectName("N9");
    N9->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    N4 = menuBar()->addMenu("Справка");
    N4->setObjectName("N4");
    N5 = N4->addAction("Помощь", this, [this] { N5Click(); });
    N5->setObjectName("N5");
    N6 = N4->addAction("О Программе", this, [this] { N6Click(); });
    N6->setObjectName("N6");
}

void TForm1::SetHelpWindows(QWidget* about, QWidget* help)
{
    about_ = about;
    help_ = help;
}

void TForm1::SetExplorerWindow(std::function<QWidget*()> explorer) { explorer_ = std::move(explorer); }

TInputFields TForm1::InputFields() const
{
    TInputFields fields{};
    for (std::size_t i = 0; i < kInputCount; ++i)
        fields[i] = &Edits[i]->Field();
    return fields;
}

void TForm1::BitBtn1Click()
{
    RunCalculateCommand(
        InputFields(), *pane_, RegionalSettings::DecimalSeparator(),
        [](const std::string& notice) { ShowNotice(QString::fromStdString(notice)); });
    // The model's bandwidth beside the measurement follows the design.
    if (measurement_)
        measurement_->DesignChanged();
}

void TForm1::EC15KeyPress(QChar key)
{
    if (key == QChar('\r'))
        BitBtn1Click();
}

QFileDialog& TForm1::SaveDialog()
{
    // Made at the first save: building a file dialog (its file system model
    // and icons) costs more than the rest of the window together, and start-up
    // does not need it.
    if (!SaveDialog1) {
        SaveDialog1 = new QFileDialog(this);
        SaveDialog1->setObjectName("SaveDialog1");
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setFileMode(QFileDialog::AnyFile);
        SaveDialog1->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
        SaveDialog1->setDefaultSuffix("txt");
        // One entry, shown as its pattern.
        SaveDialog1->setNameFilter("*.txt");
        SaveDialog1->setSizeGripEnabled(true);
        ShowRussianFileDetails(*SaveDialog1);
    }
    return *SaveDialog1;
}

void TForm1::N2Click()
{
    QFileDialog& dialog = SaveDialog();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return;
    const QString path = chosen.first();
    // The next save offers the same file again.
    dialog.selectFile(path);
    RefuseWaitingTarget(path.toStdString());
    SaveFileAtomically(path.toStdString(), ReportFileBytes(pane_->PlainText()));
}

void TForm1::N3Click() { close(); }

void TForm1::N5Click()
{
    if (help_)
        ShowAndRaise(*help_);
}

void TForm1::N6Click()
{
    if (about_)
        ShowAndRaise(*about_);
}

void TForm1::N8Click()
{
    // Ctrl+G toggles the explorer, from here as from the explorer itself.
    QWidget* explorer = explorer_ ? explorer_() : nullptr;
    if (explorer && explorer->isVisible())
        explorer->close();
    else if (explorer)
        ShowAndRaise(*explorer);
}

MeasurementView& TForm1::MeasurementWindow()
{
    if (!measurement_) {
        measurement_ = new MeasurementView(
            [this] {
                TFieldTexts texts;
                for (std::size_t i = 0; i < kInputCount; ++i)
                    texts[i] = Edits[i]->text().toStdString();
                return texts;
            },
            [this](const QString& text) { ApplyMeasuredBandwidth(text); }, this);
        measurement_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(measurement_, &MeasurementView::measured, this, [this](const TShownMeasurement& measurement) {
            lastMeasurement_ = measurement;
            emit measurementShown();
        });
    }
    return *measurement_;
}

void TForm1::N9Click() { MeasurementWindow().ChooseFile(); }

void TForm1::ApplyMeasuredBandwidth(const QString& text)
{
    LabeledEdit* bandwidth = Edits[*InputByKey("bandwidth")];
    bandwidth->setText(text);
    BitBtn1Click();
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        RegionalSettings::Refresh();
    QMainWindow::changeEvent(event);
}

} // namespace eh
