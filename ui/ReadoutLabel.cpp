// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadoutLabel.h"

#include "ExplorerReadout.h"
#include "FormControls.h"
#include "InterfaceLanguage.h"

namespace eh {

ReadoutLabel::ReadoutLabel()
{
    setObjectName("Readout");
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFixedHeight(fontMetrics().lineSpacing() * 3 + 4);
}

void ReadoutLabel::ShowParts(const std::vector<std::string>& parts)
{
    // As many parts as the fixed lines hold, and how many more.
    const QRect room = contentsRect();
    const auto fits = [&](std::size_t shown) {
        return fontMetrics()
                   .boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap,
                                 Utf8(JoinedReadout(parts, shown, InterfaceLanguage())))
                   .height() <= room.height();
    };
    std::size_t shown = parts.size();
    while (shown > 1 && !fits(shown))
        --shown;
    setText(Utf8(JoinedReadout(parts, shown, InterfaceLanguage())));
}

} // namespace eh
