// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerOutputList.h"

#include "ExplorerModel.h"
#include "ExplorerOutputs.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"
#include "ShownLengths.h"

#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace eh {

ExplorerOutputList::ExplorerOutputList(ExplorerModel& model) : model_(model)
{
    list_ = new QListWidget;
    list_->setObjectName("Outputs");
    list_->setAccessibleName(UiText("explorer.outputs"));
    for (const TResultInfo& result : ResultTable()) {
        auto* item = new QListWidgetItem(Utf8(ExplorerCaption(result, InterfaceLanguage(), model_.Lengths())), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        // Saved settings name the output by its member, whatever its caption.
        item->setData(Qt::UserRole, QString::fromUtf8(result.member));
    }
    // Every name whole: no horizontal scrolling, no cut captions.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                           list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    AddLabelled(*layout, UiText("explorer.outputs.label"), list_, 1);

    connect(list_, &QListWidget::itemChanged, this, [this] {
        std::vector<std::size_t> chosen;
        for (int row = 0; row < list_->count(); ++row)
            if (list_->item(row)->checkState() == Qt::Checked)
                chosen.push_back(static_cast<std::size_t>(row));
        model_.SetOutputs(chosen);
        emit changed();
    });
}

void ExplorerOutputList::ShowChosen()
{
    for (int row = 0; row < list_->count(); ++row) {
        const bool chosen =
            std::ranges::find(model_.Outputs(), static_cast<std::size_t>(row)) != model_.Outputs().end();
        Quietly(list_, [&](QListWidget* list) { list->item(row)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked); });
    }
}

} // namespace eh
