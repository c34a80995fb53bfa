// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfFormats.h"

namespace eh::rtf {

qreal TwipsToPixels(int twips) { return twips * 96.0 / 1440.0; }

QTextBlockFormat ToBlockFormat(const RtfParagraphFormat& format)
{
    QTextBlockFormat block;
    switch (format.alignment) {
    case RtfParagraphFormat::Alignment::Left:
        block.setAlignment(Qt::AlignLeft);
        break;
    case RtfParagraphFormat::Alignment::Centre:
        block.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParagraphFormat::Alignment::Right:
        block.setAlignment(Qt::AlignRight);
        break;
    case RtfParagraphFormat::Alignment::Justify:
        block.setAlignment(Qt::AlignJustify);
        break;
    }
    block.setLeftMargin(TwipsToPixels(format.leftIndent));
    block.setRightMargin(TwipsToPixels(format.rightIndent));
    block.setTextIndent(TwipsToPixels(format.firstLineIndent));
    block.setTopMargin(TwipsToPixels(format.spaceBefore));
    block.setBottomMargin(TwipsToPixels(format.spaceAfter));
    return block;
}

} // namespace eh::rtf
