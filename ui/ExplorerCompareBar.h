// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <initializer_list>

class QCheckBox;
class QPushButton;

namespace eh {

class PinnedDesigns;

// The explorer's bottom row, what the chart is compared with: designs
// pinned beside the typed one, and a measured sweep over the frequency
// chart (hidden until there is one). `trailing` (the file menus) stand at
// its right end.
class ExplorerCompareBar : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerCompareBar(std::initializer_list<QWidget*> trailing);

    // Pinning enabled while there is room, clearing while there is a pin.
    void ShowPins(const PinnedDesigns& pins);
    // A measurement arrived: drawn, with the button that charts around it
    // when `stretchable`.
    void ShowMeasurement(bool stretchable);

signals:
    void pinAsked();
    void clearAsked();
    void measurementToggled(bool shown);
    void stretchAsked();

private:
    QPushButton* pin_;
    QPushButton* clearPins_;
    QCheckBox* measurement_;
    QPushButton* stretch_;
};

} // namespace eh
