// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

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
};

} // namespace eh
