// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTextEdit;

namespace eh {

// Makes `edit` one of the program's read-only text panes (the report and
// the help document): the user can scroll, select and copy but not change
// the text, Tab moves on to the next control, lines wrap at the pane's
// width, the vertical scroll bar shows only when the text is taller than the
// pane, the text is in the window face, and the selection is hidden while
// the pane does not have the focus.
void MakeReadOnlyPane(QTextEdit& edit);

} // namespace eh
