// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPointsDialog.h"

#include "InterfaceLanguage.h"
#include "WorkbenchNumber.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace eh {

ChartPointsModel::ChartPointsModel(std::vector<TPointsColumn> columns, char separator, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), separator_(separator)
{
    for (const TPointsColumn& column : columns_)
        decimals_.push_back(column.swept ? StepDecimals(column.values) : 0);
}

int ChartPointsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || columns_.empty() ? 0 : int(columns_.front().values.size());
}

int ChartPointsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ChartPointsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const TPointsColumn& column = columns_[std::size_t(index.column())];
    const std::size_t row = std::size_t(index.row());
    if (row >= column.values.size() || std::isnan(column.values[row]))
        return QStringLiteral("—"); // a point whose design faulted
    const double value = column.values[row];
    return QString::fromStdString(column.swept ? DecimalsNumber(value, decimals_[std::size_t(index.column())], separator_)
                                               : WorkbenchNumber(value, column.unit, separator_));
}

QVariant ChartPointsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return columns_[std::size_t(section)].title;
}

ChartPointsDialog::ChartPointsDialog(const QString& title, std::vector<TPointsColumn> columns, char separator,
                                     QWidget* parent)
    : QDialog(parent), table_(new QTableView)
{
    setWindowTitle(title);
    table_->setObjectName("Points");
    table_->setAccessibleName(title);
    table_->setModel(new ChartPointsModel(std::move(columns), separator, table_));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->setWordWrap(false);
    // Every row is one line high: no row is measured, however many there are.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(UiText("button.close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(640, 480);
}

void ShowChartPoints(QWidget& parent, const QString& title, std::vector<TPointsColumn> columns, char separator)
{
    auto* dialog = new ChartPointsDialog(title, std::move(columns), separator, &parent);
    dialog->setObjectName("ChartPoints");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->Table()->setFocus();
}

} // namespace eh
