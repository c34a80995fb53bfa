// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QTableView;

namespace eh {

// One column of a chart's points: its heading ("Полоса пропуск. по ур.3 dB,
// кГц"), the unit its numbers are rounded for, and a value per point (NaN
// where the point has none). The swept value's column shows as many
// decimals as keep neighbouring points apart; the others are workbench
// numbers, as the chart's readout shows them.
struct TPointsColumn {
    QString title;
    std::string unit;
    std::vector<double> values;
    bool swept = false;
};

// The points as a table model whose cells are written only as a view asks
// for them: a sweep of 100,000 points opens at once.
class ChartPointsModel : public QAbstractTableModel {
public:
    ChartPointsModel(std::vector<TPointsColumn> columns, char separator, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<TPointsColumn> columns_;
    std::vector<int> decimals_; // each swept column's
    char separator_;
};

// A chart's text alternative: its points as a table that a screen reader
// walks cell by cell and a keyboard scrolls, the swept value first.
class ChartPointsDialog : public QDialog {
public:
    ChartPointsDialog(const QString& title, std::vector<TPointsColumn> columns, char separator,
                      QWidget* parent = nullptr);

    QTableView* Table() const { return table_; }

private:
    QTableView* table_;
};

// Opens the dialog beside `parent`, to be closed by the user.
void ShowChartPoints(QWidget& parent, const QString& title, std::vector<TPointsColumn> columns, char separator);

} // namespace eh
