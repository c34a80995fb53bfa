// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadOnlyPane.h"

#include "WindowFont.h"

#include <QTextEdit>

namespace eh {

void MakeReadOnlyPane(QTextEdit& edit)
{
    edit.setReadOnly(true);
    edit.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit.setFocusPolicy(Qt::StrongFocus);
    edit.setTabChangesFocus(true);
    edit.setLineWrapMode(QTextEdit::WidgetWidth);
    edit.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    edit.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit.document()->setDefaultFont(RichTextFont());
    // A text edit paints its selection in the inactive colours whenever it
    // does not have the focus; painting those as plain text hides it.
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Inactive, QPalette::Text));
    edit.setPalette(palette);
}

} // namespace eh
