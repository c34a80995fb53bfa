// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphButton.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>

namespace eh {

GlyphButton::GlyphButton(const QString& caption, const QString& glyph, const QString& disabledGlyph,
                         QWidget* parent)
    : QPushButton(caption, parent)
{
    QIcon icon;
    const QPixmap normal(glyph);
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(QPixmap(disabledGlyph), QIcon::Disabled);
    setIcon(icon);
    setIconSize(normal.size());
    setAutoDefault(false);
    setDefault(false);
}

void GlyphButton::keyPressEvent(QKeyEvent* event)
{
    // Outside a dialog a QPushButton ignores Enter; these buttons take it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace eh
