// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfTestSupport.h"

#include "RtfReader.h"

#include <QBuffer>
#include <QFile>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace eh::test {

std::unique_ptr<QTextDocument> ReadAccepted(const QByteArray& rtf)
{
    auto document = std::make_unique<QTextDocument>();
    QString error;
    EXPECT_EQ(ReadRtf(rtf, *document, &error), RtfReadResult::Read) << error.toStdString();
    return document;
}

QByteArray Rtf(const QByteArray& body) { return "{\\rtf1\\ansi " + body + "}"; }

QStringList BlockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

namespace {

template <typename Visit> void ForEachFragment(const QTextDocument& document, Visit visit)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            visit(it.fragment());
    }
}

} // namespace

QTextCharFormat FragmentFormat(const QTextDocument& document, const QString& text)
{
    QTextCharFormat found;
    bool seen = false;
    ForEachFragment(document, [&](const QTextFragment& fragment) {
        if (!seen && fragment.text() == text) {
            found = fragment.charFormat();
            seen = true;
        }
    });
    EXPECT_TRUE(seen) << "no fragment \"" << text.toStdString() << "\" in " << FragmentTexts(document).join(u'|').toStdString();
    return found;
}

QStringList FragmentTexts(const QTextDocument& document)
{
    QStringList texts;
    ForEachFragment(document, [&](const QTextFragment& fragment) { texts << fragment.text(); });
    return texts;
}

QByteArray HexEncodedImage(const QImage& image, const char* format)
{
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return encoded.toHex();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace eh::test
