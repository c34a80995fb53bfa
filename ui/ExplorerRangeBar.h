// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace eh {

class ExplorerModel;

// The explorer's top row: the input the chart sweeps, its range (a preset or
// from, to and the number of points) and the IARU region. What the user
// chooses goes into the model at once, and `changed` asks for a new sweep.
class ExplorerRangeBar : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerRangeBar(ExplorerModel& model);

    // The swept input and the region as the model has them.
    void ShowChoices();
    // The preset and the range texts as the model has them.
    void ShowRange();

signals:
    void changed();

private:
    ExplorerModel& model_;
    QComboBox* xInput_;
    QComboBox* preset_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* points_;
    QComboBox* region_;
};

} // namespace eh
