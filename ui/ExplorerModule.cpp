// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerModule.h"

#include "Exceptions.h"
#include "ExplorerWindows.h"
#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace eh {

ExplorerModule::ExplorerModule(const QString& path) : library_(path)
{
    // Every symbol the module needs from the program is bound when it is
    // loaded, so that a module that does not fit this program is refused
    // with the loader's reason instead of failing at a later call.
    library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

QString ExplorerModule::BesideProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + QStringLiteral(EH_EXPLORER_MODULE));
}

const ExplorerWindows& ExplorerModule::Windows()
{
    if (windows_)
        return *windows_;
    const QString path = library_.fileName();
    const auto refuse = [&path](const QString& reason) {
        throw EFOpenError(UiText("module.load-failed").arg(QDir::toNativeSeparators(path), reason).toStdString());
    };
    // The loader's words for a missing file name the variants of the name it
    // tried; the user needs only to hear that the file is not there.
    if (!QFileInfo(path).isFile())
        refuse(UiText("module.missing"));
    if (!library_.load())
        refuse(library_.errorString());
    using Entry = const ExplorerWindows& (*)();
    const auto entry = reinterpret_cast<Entry>(library_.resolve("EhExplorerWindows"));
    if (!entry)
        refuse(library_.errorString());
    windows_ = &entry();
    return *windows_;
}

} // namespace eh
