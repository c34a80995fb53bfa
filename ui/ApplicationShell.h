// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QIcon>
#include <QString>
#include <exception>

namespace eh {

// How long a shown tooltip stays, in milliseconds.
inline constexpr int kToolTipDisplayMs = 2500;

// The application title from the running executable's path: the file name
// after the last folder separator, cut at its first ".", every character after
// the first in lower case ("ANTENNA.EXE" gives "Antenna").
QString DeriveApplicationTitle(const QString& executablePath);

// The application icon, which the main and Help windows show in their
// captions.
QIcon ApplicationIcon();

// Shows a failure that no handler caught: its message, with a dot appended
// unless it already ends in one (or in another character up to "."), in the
// failure box. Returns so that the event loop goes on.
void PresentFailure(const std::exception& failure);

// The application object: derives the title and the tooltip timing, takes the
// interface language and units the user chose (ApplyRememberedInterfaceChoice), and hands
// every exception that escapes an event handler to PresentFailure.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace eh
