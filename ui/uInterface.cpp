// SPDX-License-Identifier: GPL-3.0-or-later
#include "uInterface.h"

#include "ApplicationShell.h"
#include "DesignTables.h"
#include "ExplorerWindows.h"
#include "FileDialogTexts.h"
#include "GlyphButton.h"
#include "InterfaceLanguage.h"
#include "LabeledEdit.h"
#include "MainWindowTexts.h"
#include "MeasurementFigures.h"
#include "MessageBoxes.h"
#include "ReadOnlyPane.h"
#include "RegionalSettings.h"
#include "ReportFileWriter.h"
#include "SaveTargetPolicy.h"
#include "ReportText.h"
#include "RichTextPane.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "WireGauge.h"

#include <QActionGroup>
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
    setWindowTitle(UiText("window.caption"));
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

    GroupBox1 = MakeGroupBox(UiText("window.group.antenna"), Panel1, 1, 140);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox2 = MakeGroupBox(UiText("window.group.coil"), Panel1, 141, 109);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox3 = MakeGroupBox(UiText("window.group.measured"), Panel1, 250, 133);
    GroupBox3->setObjectName("GroupBox3");

    // In the reading order of InputTable().
    const std::array<FieldPlace, kInputCount> places = {{
        {206, 28}, {206, 60}, {206, 92}, {208, 14}, {208, 45}, {208, 76}, {208, 38},
    }};
    QGroupBox* const groups[] = {GroupBox1, GroupBox2, GroupBox3};
    for (size_t i = 0; i < kInputCount; ++i) {
        const TInputInfo& input = InputTable()[i];
        const TFieldPresentation& presentation = FieldPresentation()[i];
        const TLanguage language = InterfaceLanguage();
        auto* edit = new LabeledEdit(
            input.component, QString::fromStdString(FieldCaption(i, language, InterfaceLengthUnit())),
            groups[presentation.group]);
        edit->Place(places[i].left, places[i].top);
        const QString tip = QString::fromStdString(FieldToolTip(i, language, InterfaceLengthUnit()));
        if (!tip.isEmpty()) {
            edit->setToolTip(tip);
            edit->setToolTipDuration(kToolTipDisplayMs);
            edit->setAccessibleDescription(tip);
        }
        if (TakesWireGauge(input))
            connect(edit, &QLineEdit::textChanged, this, [this, edit, tip] { ShowWireGauge(*edit, tip); });
        connect(edit, &LabeledEdit::keyPressed, this, &TForm1::EC15KeyPress);
        if (i > 0)
            setTabOrder(Edits[i - 1], edit);
        Edits[i] = edit;
    }

    Label1 = new QLabel(UiText("window.bandwidth-note"), GroupBox3);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(2, 74, 333, 57);

    BitBtn1 = new GlyphButton(UiText("window.calculate"), ":/glyphs/check.png", ":/glyphs/check-disabled.png", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(76, 400, 159, 41);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    RichEdit1 = new QTextEdit(client);
    RichEdit1->setObjectName("RichEdit1");
    MakeReadOnlyPane(*RichEdit1);
    RichEdit1->setAccessibleName(UiText("window.report"));
    RichEdit1->setAccessibleDescription(UiText("window.report.tip"));

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
    N1 = menuBar()->addMenu(UiText("menu.file"));
    N1->setObjectName("N1");
    N2 = N1->addAction(UiText("menu.file.save"), this, [this] { N2Click(); });
    N2->setObjectName("N2");
    N3 = N1->addAction(UiText("menu.file.exit"), this, [this] { N3Click(); });
    N3->setObjectName("N3");
    N7 = menuBar()->addMenu(UiText("menu.view"));
    N7->setObjectName("N7");
    N8 = N7->addAction(UiText("menu.view.explorer"), this, [this] { N8Click(); });
    N8->setObjectName("N8");
    N8->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    N9 = N7->addAction(UiText("menu.view.measurement"), this, [this] { N9Click(); });
    N9->setObjectName("N9");
    N9->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    LengthsMenu = N7->addMenu(UiText("menu.view.lengths"));
    LengthsMenu->setObjectName("LengthsMenu");
    AddChoices(*LengthsMenu, {UiText("menu.lengths.millimetres"), UiText("menu.lengths.inches")},
               InterfaceLengthUnit() == TLengthUnit::Inch ? 1 : 0, [](int choice) {
                   RememberLengthUnit(choice == 1 ? TLengthUnit::Inch : TLengthUnit::Millimetre);
               });
    N4 = menuBar()->addMenu(UiText("menu.help"));
    N4->setObjectName("N4");
    N5 = N4->addAction(UiText("menu.help.contents"), this, [this] { N5Click(); });
    N5->setObjectName("N5");
    N6 = N4->addAction(UiText("menu.help.about"), this, [this] { N6Click(); });
    N6->setObjectName("N6");
    // Last, so that the menus before it stand where they always stood; its
    // caption is in both languages, for a reader of either to find it.
    LanguageMenu = menuBar()->addMenu(UiText("menu.language"));
    LanguageMenu->setObjectName("LanguageMenu");
    AddChoices(*LanguageMenu, {UiText("menu.language.russian"), UiText("menu.language.english")},
               static_cast<int>(InterfaceLanguage()),
               [](int choice) { RememberLanguage(static_cast<TLanguage>(choice)); });
}

void TForm1::AddChoices(QMenu& menu, const QStringList& choices, int current, std::function<void(int)> remember)
{
    auto* group = new QActionGroup(&menu);
    for (int i = 0; i < choices.size(); ++i) {
        QAction* action = menu.addAction(choices[i], this, [remember, i] { remember(i); });
        action->setCheckable(true);
        action->setChecked(i == current);
        group->addAction(action);
    }
    // The windows build their texts once: a choice shows from the next start.
    menu.addSeparator();
    menu.addAction(UiText("menu.next-start"))->setEnabled(false);
}

void TForm1::ShowWireGauge(QLineEdit& edit, const QString& tip)
{
    // A gauge's diameter beside the field's own tip, for the reader to check.
    QString shown = tip;
    if (const std::optional<int> gauge = ReadWireGauge(edit.text().toStdString())) {
        QString diameter = QString::number(WireGaugeDiameterMm(*gauge), 'f', 3);
        diameter.replace('.', QChar::fromLatin1(RegionalSettings::DecimalSeparator()));
        shown = UiText("input.wire-diameter.gauge").arg(QString::fromStdString(WireGaugeName(*gauge)), diameter) +
                "\n" + tip;
    }
    edit.setToolTip(shown);
    edit.setAccessibleDescription(shown);
}

void TForm1::SetHelpWindows(QWidget* about, QWidget* help)
{
    about_ = about;
    help_ = help;
}

void TForm1::SetExplorerWindow(std::function<QWidget*()> explorer) { explorer_ = std::move(explorer); }

void TForm1::SetExplorerWindows(std::function<const ExplorerWindows&()> windows) { windows_ = std::move(windows); }

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
        [](const std::string& notice) { ShowNotice(QString::fromStdString(notice)); },
        {.fields = {.lengths = InterfaceLengthUnit(), .wireGauges = true},
         .report = {.language = InterfaceLanguage(), .lengths = InterfaceLengthUnit()}});
    // The model's bandwidth beside the measurement follows the design.
    if (measurement_)
        windows_().DesignChanged(*measurement_);
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
        if (InterfaceLanguage() == TLanguage::Russian)
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
        measurement_ = &windows_().MakeMeasurementView(
            [this] {
                TFieldTexts texts;
                for (std::size_t i = 0; i < kInputCount; ++i)
                    texts[i] = Edits[i]->text().toStdString();
                return texts;
            },
            [this](const QString& text) { ApplyMeasuredBandwidth(text); },
            [this](const TShownMeasurement& measurement) {
                lastMeasurement_ = measurement;
                emit measurementShown();
            },
            *this);
    }
    return *measurement_;
}

void TForm1::N9Click() { windows_().ChooseMeasurementFile(MeasurementWindow()); }

void TForm1::ApplyMeasuredBandwidth(const QString& text)
{
    LabeledEdit* bandwidth = Edits[*InputByKey("bandwidth")];
    bandwidth->setText(text);
    BitBtn1Click();
}

void TForm1::WriteFieldText(std::size_t input, const QString& text)
{
    Edits[input]->setText(text);
    BitBtn1Click();
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        RegionalSettings::Refresh();
    QMainWindow::changeEvent(event);
}

} // namespace eh
