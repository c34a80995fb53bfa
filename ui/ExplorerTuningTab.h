// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "TuningPlan.h"

#include <QWidget>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace eh {

class ExplorerModel;

// The "Диапазоны" tab: the tuning plan of the typed design for each band of
// the model's region under the chosen bandwidth criterion, the typed band
// marked, and where to tune for each setting of the band chosen. Picking a
// band asks (`bandAsked`) for the chart across it.
class ExplorerTuningTab : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerTuningTab(const ExplorerModel& model);

    // The plan of `typed`, the chosen row kept.
    void Fill(const TAntennaInputs& typed);
    // The band of the chosen row, if one is chosen.
    std::optional<TAmateurBand> ChosenBand() const;

signals:
    void criterionChanged();
    void bandAsked();

private:
    void ShowTuningSettings(int row);

    const ExplorerModel& model_;
    QComboBox* criterion_;
    QTableWidget* coverage_;
    QLabel* tuningSettings_; // where to tune for each setting of the chosen band
    QPushButton* showBand_;
    std::vector<TBandPlanRow> plan_;
};

} // namespace eh
