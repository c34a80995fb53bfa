// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace eh {

class ExplorerModel;

// The "Подбор" tab: the result wanted, its target, the input to vary and
// where to look; the answers found, and the one chosen written back into
// the main window on request. The texts go into the model as they are
// typed; the search itself is the window's (`solveAsked`).
class ExplorerSolveTab : public QWidget {
    Q_OBJECT
public:
    // Puts a value into the main window's field `input`.
    using FieldWriter = std::function<void(std::size_t input, const QString& text)>;

    explicit ExplorerSolveTab(ExplorerModel& model);

    // The search as the model has it.
    void ShowTexts();
    // The search as typed into the model; `answersDropped` when that drops
    // the answers found.
    void ReadTexts();
    // The model's answers, rounded for the workbench or with every digit,
    // or none with `note`.
    void ShowSolutions(const QString& note, bool exactDigits);
    void SetNote(const QString& note);
    QString Note() const;
    // Writes the chosen answer, as the list shows it, with `write`.
    void ApplyChosen(const FieldWriter& write, bool exactDigits);

signals:
    void solveAsked();
    void applyAsked();
    void answersDropped(const QString& note);

private:
    ExplorerModel& model_;
    QComboBox* result_;
    QLineEdit* target_;
    QComboBox* input_;
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* find_;
    QListWidget* solutions_;
    QPushButton* apply_;
    QLabel* note_;
};

} // namespace eh
