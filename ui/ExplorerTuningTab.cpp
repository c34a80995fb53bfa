// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerTuningTab.h"

#include "ExplorerModel.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace eh {

namespace {

const QColor kTypedBandColour(255, 220, 120);

} // namespace

ExplorerTuningTab::ExplorerTuningTab(const ExplorerModel& model) : model_(model)
{
    criterion_ = new QComboBox;
    criterion_->setObjectName("Criterion");
    for (const std::string& name : CriterionNames(InterfaceLanguage()))
        criterion_->addItem(Utf8(name));
    coverage_ = new QTableWidget(0, 4);
    coverage_->setObjectName("Coverage");
    coverage_->setAccessibleName(UiText("explorer.coverage"));
    coverage_->setHorizontalHeaderLabels({UiText("explorer.coverage.band"), UiText("explorer.coverage.edges"),
                                          UiText("explorer.coverage.bandwidth"), UiText("explorer.coverage.settings")});
    coverage_->verticalHeader()->hide();
    coverage_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    coverage_->setSelectionBehavior(QAbstractItemView::SelectRows);
    coverage_->setSelectionMode(QAbstractItemView::SingleSelection);
    coverage_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    coverage_->horizontalHeader()->setStretchLastSection(true);
    showBand_ = new QPushButton(UiText("explorer.coverage.show"));
    showBand_->setObjectName("ShowBandButton");
    showBand_->setEnabled(false);
    tuningSettings_ = new QLabel;
    tuningSettings_->setObjectName("TuningSettings");
    tuningSettings_->setTextFormat(Qt::PlainText);
    tuningSettings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* about = new QLabel(UiText("explorer.coverage.about"));
    about->setWordWrap(true);
    layout->addWidget(about);
    auto* criterionRow = new QHBoxLayout;
    AddLabelled(*criterionRow, UiText("explorer.criterion"), criterion_, 1);
    layout->addLayout(criterionRow);
    layout->addWidget(coverage_, 1);
    layout->addWidget(tuningSettings_);
    layout->addWidget(showBand_);

    connect(criterion_, &QComboBox::currentIndexChanged, this, &ExplorerTuningTab::criterionChanged);
    connect(coverage_, &QTableWidget::currentCellChanged, this, [this](int row) {
        showBand_->setEnabled(row >= 0);
        ShowTuningSettings(row);
    });
    connect(coverage_, &QTableWidget::cellActivated, this, &ExplorerTuningTab::bandAsked);
    connect(showBand_, &QPushButton::clicked, this, &ExplorerTuningTab::bandAsked);
}

void ExplorerTuningTab::Fill(const TAntennaInputs& typed)
{
    const char separator = model_.Separator();
    const auto criterion = static_cast<TBandwidthCriterion>(criterion_->currentIndex());
    plan_ = TuningPlan(model_.Region(), typed, criterion);
    coverage_->setRowCount(static_cast<int>(plan_.size()));
    int typedRow = -1;
    for (std::size_t row = 0; row < plan_.size(); ++row) {
        const TBandPlanRow& band = plan_[row];
        const std::array<std::string, 4> cells = TuningPlanCells(band, separator, InterfaceLanguage());
        if (band.typedBand)
            typedRow = static_cast<int>(row);
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(Utf8(cells[static_cast<std::size_t>(column)]));
            if (band.typedBand) {
                item->setBackground(kTypedBandColour);
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            coverage_->setItem(static_cast<int>(row), column, item);
        }
    }
    const int shown = coverage_->currentRow() >= 0 ? coverage_->currentRow() : typedRow;
    ShowTuningSettings(shown);
}

std::optional<TAmateurBand> ExplorerTuningTab::ChosenBand() const
{
    const std::span<const TAmateurBand> bands = BandPlan(model_.Region());
    const int row = coverage_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= bands.size())
        return std::nullopt;
    return bands[static_cast<std::size_t>(row)];
}

void ExplorerTuningTab::ShowTuningSettings(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= plan_.size()) {
        tuningSettings_->clear();
        return;
    }
    tuningSettings_->setText(
        Utf8(SettingsText(plan_[static_cast<std::size_t>(row)], model_.Separator(), InterfaceLanguage())));
}

} // namespace eh
