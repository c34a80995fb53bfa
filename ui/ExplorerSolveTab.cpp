// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSolveTab.h"

#include "ExplorerModel.h"
#include "ExplorerOutputs.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"
#include "ShownLengths.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace eh {

ExplorerSolveTab::ExplorerSolveTab(ExplorerModel& model) : model_(model)
{
    result_ = new QComboBox;
    result_->setObjectName("SolveResult");
    for (const TResultInfo& result : ResultTable())
        result_->addItem(Utf8(ExplorerCaption(result, InterfaceLanguage(), model_.Lengths())));
    target_ = new QLineEdit;
    target_->setObjectName("SolveTarget");
    input_ = InputChoice("SolveInput", model_.Lengths());
    from_ = new QLineEdit;
    from_->setObjectName("SolveFrom");
    to_ = new QLineEdit;
    to_->setObjectName("SolveTo");
    find_ = new QPushButton(UiText("explorer.solve.find"));
    find_->setObjectName("SolveButton");
    solutions_ = new QListWidget;
    solutions_->setObjectName("SolutionList");
    solutions_->setAccessibleName(UiText("explorer.solutions"));
    apply_ = new QPushButton(UiText("explorer.solve.apply"));
    apply_->setObjectName("ApplySolution");
    apply_->setEnabled(false);
    note_ = new QLabel;
    note_->setObjectName("SolveNote");
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    AddLabelled(*layout, UiText("explorer.solve.result"), result_);
    AddLabelled(*layout, UiText("explorer.solve.target"), target_);
    AddLabelled(*layout, UiText("explorer.solve.input"), input_);
    auto* rangeRow = new QHBoxLayout;
    AddLabelled(*rangeRow, UiText("explorer.solve.from"), from_, 1);
    AddLabelled(*rangeRow, UiText("explorer.solve.to"), to_, 1);
    layout->addLayout(rangeRow);
    layout->addWidget(find_);
    layout->addWidget(note_);
    layout->addWidget(solutions_, 1);
    layout->addWidget(apply_);

    connect(input_, &QComboBox::currentIndexChanged, this, [this](int input) {
        model_.SetSolveInput(static_cast<std::size_t>(input));
        Quietly(from_, [this](QLineEdit* edit) { edit->setText(Utf8(model_.SolveTexts().from)); });
        Quietly(to_, [this](QLineEdit* edit) { edit->setText(Utf8(model_.SolveTexts().to)); });
        ReadTexts();
    });
    connect(result_, &QComboBox::currentIndexChanged, this, &ExplorerSolveTab::ReadTexts);
    for (QLineEdit* edit : {target_, from_, to_})
        connect(edit, &QLineEdit::textChanged, this, &ExplorerSolveTab::ReadTexts);
    connect(find_, &QPushButton::clicked, this, &ExplorerSolveTab::solveAsked);
    connect(target_, &QLineEdit::returnPressed, this, &ExplorerSolveTab::solveAsked);
    connect(solutions_, &QListWidget::currentRowChanged, this, [this](int row) { apply_->setEnabled(row >= 0); });
    connect(solutions_, &QListWidget::itemActivated, this, &ExplorerSolveTab::applyAsked);
    connect(apply_, &QPushButton::clicked, this, &ExplorerSolveTab::applyAsked);
}

void ExplorerSolveTab::ShowTexts()
{
    const TSolveTexts& solve = model_.SolveTexts();
    Quietly(result_, [&](QComboBox* box) { box->setCurrentIndex(static_cast<int>(solve.result)); });
    Quietly(input_, [&](QComboBox* box) { box->setCurrentIndex(static_cast<int>(solve.input)); });
    Quietly(target_, [&](QLineEdit* edit) { edit->setText(Utf8(solve.target)); });
    Quietly(from_, [&](QLineEdit* edit) { edit->setText(Utf8(solve.from)); });
    Quietly(to_, [&](QLineEdit* edit) { edit->setText(Utf8(solve.to)); });
}

void ExplorerSolveTab::ReadTexts()
{
    const bool solved = model_.Solutions().has_value();
    model_.SetSolveTexts({static_cast<std::size_t>(result_->currentIndex()), target_->text().toStdString(),
                          static_cast<std::size_t>(input_->currentIndex()), from_->text().toStdString(),
                          to_->text().toStdString()});
    if (solved && !model_.Solutions())
        emit answersDropped(UiText("explorer.solve.target-changed"));
}

void ExplorerSolveTab::ShowSolutions(const QString& note, bool exactDigits)
{
    solutions_->clear();
    const std::optional<TFoundSolutions>& found = model_.Solutions();
    if (!found) {
        note_->setText(note);
        apply_->setEnabled(false);
        return;
    }
    const char separator = model_.Separator();
    const TInputInfo& input = InputTable()[found->request.plan.input];
    for (const TSolutionRow& row : SolutionRows(*found, separator, InterfaceLanguage(), model_.Lengths())) {
        auto* item = new QListWidgetItem(exactDigits
                                             ? Utf8(ShownInputLabel(input, InterfaceLanguage(), model_.Lengths())) + " = " + Utf8(row.exactText)
                                             : Utf8(row.text),
                                         solutions_);
        item->setToolTip(UiText("explorer.solve.exact").arg(Utf8(row.exactText)));
    }
    note_->setText(note.isEmpty() ? Utf8(SolveSummary(*found, separator, InterfaceLanguage(), model_.Lengths())) : note);
    if (solutions_->count() > 0)
        solutions_->setCurrentRow(0);
}

void ExplorerSolveTab::SetNote(const QString& note) { note_->setText(note); }

QString ExplorerSolveTab::Note() const { return note_->text(); }

void ExplorerSolveTab::ApplyChosen(const FieldWriter& write, bool exactDigits)
{
    const std::optional<TFoundSolutions>& found = model_.Solutions();
    const int row = solutions_->currentRow();
    if (!found || row < 0 || !write)
        return;
    const char separator = model_.Separator();
    const std::vector<TSolutionRow> rows = SolutionRows(*found, separator, InterfaceLanguage(), model_.Lengths());
    if (static_cast<std::size_t>(row) >= rows.size())
        return;
    const TSolutionRow& chosen = rows[static_cast<std::size_t>(row)];
    // What the list shows is what goes into the field.
    const std::string text = exactDigits ? chosen.exactText : chosen.shownText;
    const std::size_t input = found->request.plan.input;
    const QString written = exactDigits ? solutions_->item(row)->text() : Utf8(chosen.text);
    write(input, Utf8(text));
    note_->setText(UiText("explorer.solve.applied").arg(written));
}

} // namespace eh
