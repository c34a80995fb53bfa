// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormControls.h"

#include "DesignTables.h"
#include "InterfaceLanguage.h"
#include "ShownLengths.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

namespace eh {

QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void AddLabelled(QBoxLayout& layout, const QString& label, QWidget* control, int stretch)
{
    layout.addWidget(BuddyLabel(label, control));
    layout.addWidget(control, stretch);
}

QComboBox* InputChoice(const char* objectName, TLengthUnit lengths)
{
    auto* box = new QComboBox;
    box->setObjectName(objectName);
    for (const TInputInfo& input : InputTable())
        box->addItem(Utf8(ShownInputLabel(input, InterfaceLanguage(), lengths)));
    return box;
}

} // namespace eh
