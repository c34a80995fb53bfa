// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace eh {

class ExplorerModel;

// The explorer's settings file: what the user chose last time (the input to
// sweep and its range, the region, the outputs) and where the window stood.
// A file that cannot be trusted (not a regular file, unreadable, far too
// large, not an INI file) is neither read nor written: the defaults are
// taken, and `problem` says why in the user's words.
class ExplorerSettings {
public:
    ExplorerSettings();

    // Fills `model` with what was saved; returns the saved geometry, if any.
    std::optional<QByteArray> Load(ExplorerModel& model);
    void Save(const ExplorerModel& model, const QByteArray& geometry) const;

    // Why the saved settings were not used; empty when they were (or when
    // there were none).
    const QString& Problem() const { return problem_; }

private:
    QString path_;
    QString problem_;
    bool usable_ = true;
};

// Beyond this the file is no settings file of this program's: a few hundred
// bytes are what it writes.
inline constexpr qint64 kMaxExplorerSettingsBytes = 64 * 1024;

} // namespace eh
