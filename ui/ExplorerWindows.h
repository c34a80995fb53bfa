// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"
#include "ExplorerMeasurement.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

class QWidget;

namespace eh {

class MeasurementView;
class TForm1;

// The windows that draw with Qt Charts, Qt Svg and Qt Print Support: the
// design explorer and the measurement view. They live in a module of their
// own (ExplorerModule), which the program loads when the View menu first
// asks for one of them, so that starting the program does not load those
// libraries. The main window reaches them through this interface alone.
class ExplorerWindows {
public:
    // The main window's seven field texts (UTF-8, reading order).
    using FieldTextsReader = std::function<TFieldTexts()>;
    // Puts a measured bandwidth into the bandwidth field and recalculates.
    using BandwidthWriter = std::function<void(const QString& text)>;
    // A measurement is shown, for the explorer to draw it too.
    using MeasurementShown = std::function<void(const TShownMeasurement& measurement)>;

    // The design explorer of `mainWindow`, for the caller to own.
    virtual std::unique_ptr<QWidget> MakeExplorer(TForm1& mainWindow) const = 0;
    // The measurement view, a window that `parent` owns; closing it leaves
    // the program running.
    virtual MeasurementView& MakeMeasurementView(FieldTextsReader readFields, BandwidthWriter writeBandwidth,
                                                 MeasurementShown shown, QWidget& parent) const = 0;
    // Asks for a sweep file and shows its analysis.
    virtual void ChooseMeasurementFile(MeasurementView& view) const = 0;
    // The typed design may have changed: the model's figures follow.
    virtual void DesignChanged(MeasurementView& view) const = 0;

protected:
    ~ExplorerWindows() = default;
};

} // namespace eh

// The module's one entry point, which the program looks up by this name:
// its windows, made once. Programs that build the windows in (the tests)
// call it directly.
extern "C" Q_DECL_EXPORT const eh::ExplorerWindows& EhExplorerWindows();
