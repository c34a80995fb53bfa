// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer module's side of ExplorerWindows: each call forwards to the
// window it names.
#include "ExplorerWindows.h"

#include "DesignExplorer.h"
#include "MeasurementView.h"

namespace eh {

namespace {

class ModuleWindows final : public ExplorerWindows {
public:
    std::unique_ptr<QWidget> MakeExplorer(TForm1& mainWindow) const override
    {
        return std::make_unique<DesignExplorer>(mainWindow);
    }

    MeasurementView& MakeMeasurementView(FieldTextsReader readFields, BandwidthWriter writeBandwidth,
                                         MeasurementShown shown, QWidget& parent) const override
    {
        auto* view = new MeasurementView(std::move(readFields), std::move(writeBandwidth), &parent);
        view->setAttribute(Qt::WA_QuitOnClose, false);
        QObject::connect(view, &MeasurementView::measured, view, std::move(shown));
        return *view;
    }

    void ChooseMeasurementFile(MeasurementView& view) const override { view.ChooseFile(); }

    void DesignChanged(MeasurementView& view) const override { view.DesignChanged(); }
};

} // namespace

} // namespace eh

const eh::ExplorerWindows& EhExplorerWindows()
{
    static const eh::ModuleWindows windows;
    return windows;
}
