// SPDX-License-Identifier: GPL-3.0-or-later
// Files written by real word processors and converters (see
// corpus/make-corpus.sh), read as the Help window reads them, against the
// plain text that the producing tool exports itself.
//
// The tools lay out plain text a little differently from a paragraph list,
// so both sides are normalised before they are compared, and only so far:
// - a UTF-8 byte-order mark at the start is dropped (LibreOffice writes one);
// - pictures (U+FFFC here) are dropped: text exports leave them out; the
//   number of pictures is checked on the document instead;
// - within each line, runs of white space (tabs and any Unicode space)
//   become one space, and white space at the line's ends is dropped:
//   LibreOffice writes a list label as indenting spaces and a space where
//   the RTF holds the label and a tab, and turns some runs of spaces into
//   six-per-em spaces;
// - empty lines are dropped: pandoc's plain text separates paragraphs with
//   them.

#include "DocumentLines.h"
#include "RichTextFileLoader.h"
#include "RtfTestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

struct CorpusCase {
    const char* name; // the file's name without ".rtf"
    int pictures;
};

void PrintTo(const CorpusCase& corpusCase, std::ostream* out) { *out << corpusCase.name; }

QString CorpusPath(const QString& fileName) { return QDir(QStringLiteral(RTF_CORPUS_DIR)).filePath(fileName); }

QStringList Normalised(QStringList lines)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption);
    if (!lines.isEmpty() && lines.front().startsWith(QChar(0xFEFF)))
        lines.front().remove(0, 1);
    QStringList result;
    for (QString line : lines) {
        line.remove(QChar::ObjectReplacementCharacter);
        line = line.replace(blanks, QStringLiteral(" ")).trimmed();
        if (!line.isEmpty())
            result << line;
    }
    return result;
}

QStringList ExpectedLines(const QString& fileName)
{
    QFile file(CorpusPath(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

int PictureCount(const QTextDocument& document)
{
    int pictures = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            pictures += it.fragment().charFormat().isImageFormat() ? 1 : 0;
    }
    return pictures;
}

class RtfCorpusTest : public testing::TestWithParam<CorpusCase> {};

TEST_P(RtfCorpusTest, ReadsTheTextThatTheProducingToolExports)
{
    const QString name = QString::fromUtf8(GetParam().name);
    QTextDocument document;
    LoadRichTextFile(CorpusPath(name + ".rtf"), document);
    EXPECT_EQ(Normalised(DocumentLines(document)), Normalised(ExpectedLines(name + ".txt")));
    EXPECT_EQ(PictureCount(document), GetParam().pictures);
}

INSTANTIATE_TEST_SUITE_P(Files, RtfCorpusTest, testing::Values(
    CorpusCase{"abiword-structure", 0},
    CorpusCase{"latex2rtf-structure", 0},
    CorpusCase{"libreoffice-structure", 0},
    CorpusCase{"pandoc-structure", 0},
    CorpusCase{"word-lists-notes", 0},
    CorpusCase{"wordpad-dbcs", 0},
    CorpusCase{"libreoffice-help-ru", 1},
    CorpusCase{"libreoffice-formats-en", 0},
    CorpusCase{"pandoc-notes", 0},
    CorpusCase{"latex2rtf-coil", 0},
    CorpusCase{"enscript-notes-latin1", 0},
    CorpusCase{"wordpad-cp1251", 0},
    CorpusCase{"word-unicode", 1}),
    [](const testing::TestParamInfo<CorpusCase>& info) {
        return QString::fromUtf8(info.param.name).replace(u'-', u'_').toStdString();
    });

TEST(RtfCorpusListTest, EveryCorpusFileIsTested)
{
    const QStringList files = QDir(QStringLiteral(RTF_CORPUS_DIR)).entryList({"*.rtf"}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"abiword-structure.rtf", "enscript-notes-latin1.rtf", "latex2rtf-coil.rtf",
                                  "latex2rtf-structure.rtf", "libreoffice-formats-en.rtf", "libreoffice-help-ru.rtf",
                                  "libreoffice-structure.rtf", "pandoc-notes.rtf", "pandoc-structure.rtf",
                                  "word-lists-notes.rtf", "word-unicode.rtf", "wordpad-cp1251.rtf",
                                  "wordpad-dbcs.rtf"}));
}

TEST(RtfCorpusFormatTest, LibreOfficeFormatsArrive)
{
    QTextDocument document;
    LoadRichTextFile(CorpusPath("libreoffice-formats-en.rtf"), document);
    EXPECT_EQ(FragmentFormat(document, "bold").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FragmentFormat(document, "italic").fontItalic());
    EXPECT_TRUE(FragmentFormat(document, "underlined").fontUnderline());
    EXPECT_TRUE(FragmentFormat(document, "struck out").fontStrikeOut());
    EXPECT_EQ(FragmentFormat(document, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FragmentFormat(document, "Red text").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FragmentFormat(document, "highlighted text").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(FragmentFormat(document, "monospaced").fontFamilies().toStringList(), QStringList{"Courier New"});
    const QTextBlock centred = document.find("Centred paragraph").block();
    EXPECT_EQ(centred.blockFormat().alignment(), Qt::AlignHCenter);
}

TEST(RtfCorpusFormatTest, WordPadCyrillicFormatsArrive)
{
    QTextDocument document;
    LoadRichTextFile(CorpusPath("wordpad-cp1251.rtf"), document);
    const QTextBlock title = document.begin();
    EXPECT_EQ(title.text(), "Справка");
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(FragmentFormat(document, "Справка").fontWeight(), QFont::Bold);
    EXPECT_EQ(FragmentFormat(document, "Справка").fontPointSize(), 14.0);
    const QTextBlock item = title.next();
    EXPECT_DOUBLE_EQ(item.blockFormat().leftMargin(), 48);
    EXPECT_DOUBLE_EQ(item.blockFormat().textIndent(), -24);
    EXPECT_EQ(FragmentFormat(document, "подчёркиванием").fontUnderline(), true);
}

} // namespace
} // namespace eh::test
