// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

class QFrame;
class QLabel;

namespace eh {

class GlyphButton;

// The About window: the program's name, version and credits, and a Close
// button. It is only shown and hidden, never destroyed before the end.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel *Label1, *Label2, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QFrame* Panel1;
    GlyphButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Sets each label's face and size. Measuring the texts loads a font of
    // each of the three sizes, which the program's start-up need not wait
    // for: it is done when the window first shows.
    void FitLabels();

    struct LabelFace {
        QLabel* label;
        int characterHeight;
        bool bold;
        int width; // the text's width in the original face; 0: as wide as it is
    };
    std::vector<LabelFace> faces_;
};

} // namespace eh
