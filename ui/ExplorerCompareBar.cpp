// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerCompareBar.h"

#include "FormControls.h"
#include "InterfaceLanguage.h"
#include "PinnedDesigns.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace eh {

ExplorerCompareBar::ExplorerCompareBar(std::initializer_list<QWidget*> trailing)
{
    pin_ = new QPushButton(UiText("explorer.pin"));
    pin_->setObjectName("PinButton");
    clearPins_ = new QPushButton(UiText("explorer.clear-pins"));
    clearPins_->setObjectName("ClearPinsButton");
    measurement_ = new QCheckBox(UiText("explorer.measurement.overlay"));
    measurement_->setObjectName("MeasurementCheck");
    measurement_->setToolTip(UiText("explorer.measurement.overlay.tip"));
    measurement_->setVisible(false);
    stretch_ = new QPushButton(UiText("explorer.measurement.zoom"));
    stretch_->setObjectName("MeasuredStretchButton");
    stretch_->setToolTip(UiText("explorer.measurement.zoom.tip"));
    stretch_->setVisible(false);
    // No margins of its own: the row sits in the window's layout as if it
    // were a row of that layout.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(pin_);
    row->addWidget(clearPins_);
    row->addWidget(measurement_);
    row->addWidget(stretch_);
    row->addStretch(1);
    for (QWidget* widget : trailing)
        row->addWidget(widget);

    connect(pin_, &QPushButton::clicked, this, &ExplorerCompareBar::pinAsked);
    connect(clearPins_, &QPushButton::clicked, this, &ExplorerCompareBar::clearAsked);
    connect(measurement_, &QCheckBox::toggled, this, &ExplorerCompareBar::measurementToggled);
    connect(stretch_, &QPushButton::clicked, this, &ExplorerCompareBar::stretchAsked);
}

void ExplorerCompareBar::ShowPins(const PinnedDesigns& pins)
{
    pin_->setEnabled(!pins.Full());
    clearPins_->setEnabled(!pins.Designs().empty());
}

void ExplorerCompareBar::ShowMeasurement(bool stretchable)
{
    Quietly(measurement_, [](QCheckBox* check) { check->setChecked(true); });
    measurement_->setVisible(true);
    stretch_->setVisible(true);
    stretch_->setEnabled(stretchable);
}

} // namespace eh
