// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerRangeBar.h"

#include "ExplorerModel.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace eh {

ExplorerRangeBar::ExplorerRangeBar(ExplorerModel& model) : model_(model)
{
    xInput_ = InputChoice("XInput", model_.Lengths());
    preset_ = new QComboBox;
    preset_->setObjectName("RangePreset");
    preset_->addItems(
        {UiText("explorer.preset.hf"), UiText("explorer.preset.band"), UiText("explorer.preset.custom")});
    from_ = new QLineEdit;
    from_->setObjectName("FromEdit");
    to_ = new QLineEdit;
    to_->setObjectName("ToEdit");
    points_ = new QLineEdit;
    points_->setObjectName("PointsEdit");
    for (QLineEdit* edit : {from_, to_, points_})
        edit->setMaximumWidth(90);

    // No margins of its own: the row sits in the window's layout as if it
    // were a row of that layout.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    AddLabelled(*row, UiText("explorer.axis"), xInput_);
    row->addSpacing(12);
    AddLabelled(*row, UiText("explorer.preset"), preset_);
    AddLabelled(*row, UiText("explorer.from"), from_);
    AddLabelled(*row, UiText("explorer.to"), to_);
    AddLabelled(*row, UiText("explorer.points"), points_);
    row->addSpacing(12);
    region_ = new QComboBox;
    region_->setObjectName("RegionChoice");
    for (int region = 1; region <= 3; ++region)
        region_->addItem(UiText("explorer.region-name").arg(region));
    AddLabelled(*row, UiText("explorer.region"), region_);
    row->addStretch(1);

    connect(xInput_, &QComboBox::currentIndexChanged, this, [this](int input) {
        model_.SetXInput(static_cast<std::size_t>(input));
        ShowRange();
        emit changed();
    });
    connect(preset_, &QComboBox::currentIndexChanged, this, [this](int preset) {
        model_.SetPreset(static_cast<TRangePreset>(preset));
        ShowRange();
        emit changed();
    });
    for (QLineEdit* edit : {from_, to_, points_})
        connect(edit, &QLineEdit::textChanged, this, [this] {
            model_.SetRangeTexts(
                {from_->text().toStdString(), to_->text().toStdString(), points_->text().toStdString()});
            emit changed();
        });
    connect(region_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SetRegion(IaruRegion(index + 1).value_or(kDefaultRegion));
        emit changed();
    });
}

void ExplorerRangeBar::ShowChoices()
{
    Quietly(xInput_, [this](QComboBox* box) { box->setCurrentIndex(static_cast<int>(model_.XInput())); });
    Quietly(region_, [this](QComboBox* box) { box->setCurrentIndex(static_cast<int>(model_.Region()) - 1); });
}

void ExplorerRangeBar::ShowRange()
{
    Quietly(preset_, [this](QComboBox* box) {
        box->setCurrentIndex(static_cast<int>(model_.Preset()));
        box->setEnabled(model_.SweepsFrequency());
    });
    const TRangeTexts& range = model_.RangeTexts();
    const bool custom = model_.Preset() == TRangePreset::Custom;
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {from_, &range.from}, {to_, &range.to}, {points_, &range.points}};
    for (const auto& [edit, text] : edits) {
        // Only a text that changed: setting the same one would move the cursor.
        if (edit->text() != Utf8(*text))
            Quietly(edit, [text](QLineEdit* line) { line->setText(Utf8(*text)); });
    }
    from_->setReadOnly(!custom);
    to_->setReadOnly(!custom);
}

} // namespace eh
