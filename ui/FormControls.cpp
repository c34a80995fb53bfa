// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormControls.h"

#include "DesignTables.h"
#include "InterfaceLanguage.h"

#include <QComboBox>
#include <QLabel>

namespace eh {

QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QComboBox* InputChoice(const char* objectName)
{
    auto* box = new QComboBox;
    box->setObjectName(objectName);
    for (const TInputInfo& input : InputTable())
        box->addItem(QString::fromUtf8(InputText(input, "label", InterfaceLanguage())));
    return box;
}

} // namespace eh
