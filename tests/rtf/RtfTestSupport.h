// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>

#include <memory>
#include <ostream>

// Test failures show texts as UTF-8 rather than as arrays of code units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace eh::test {

// Reads RTF that must be accepted; the test fails with the reader's message
// otherwise.
std::unique_ptr<QTextDocument> ReadAccepted(const QByteArray& rtf);

// `body` inside a minimal document header: "{\rtf1\ansi " body "}".
QByteArray Rtf(const QByteArray& body);

// The text of each block of the document, in order (table cells included).
QStringList BlockTexts(const QTextDocument& document);

// The format of the fragment whose text is exactly `text`; a default format
// and a test failure when there is no such fragment.
QTextCharFormat FragmentFormat(const QTextDocument& document, const QString& text);

// The texts of all fragments, in order: tells how text was split into runs.
QStringList FragmentTexts(const QTextDocument& document);

// The image encoded in the given format ("PNG", "JPEG") as lowercase hex
// digits, as RTF writes picture data.
QByteArray HexEncodedImage(const QImage& image, const char* format);

// Writes `bytes` to `path`; the test fails when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);

} // namespace eh::test
