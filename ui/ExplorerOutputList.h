// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QListWidget;

namespace eh {

class ExplorerModel;

// The outputs the chart draws, one box each, every name whole. A box
// ticked or cleared goes into the model at once, and `changed` asks for
// the chart again.
class ExplorerOutputList : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerOutputList(ExplorerModel& model);

    // Ticks the model's outputs.
    void ShowChosen();

signals:
    void changed();

private:
    ExplorerModel& model_;
    QListWidget* list_;
};

} // namespace eh
