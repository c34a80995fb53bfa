// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"

#include "Exceptions.h"
#include "FileDialogTexts.h"
#include "InterfaceLanguage.h"
#include "MessageBoxes.h"
#include "RegionalSettings.h"
#include "WindowFont.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>
#include <QWidget>
#include <clocale>

// The pictures are compiled into the static window library, whose resource
// registration the linker would drop unless it is referenced.
static void InitialiseResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace eh {

namespace {

constexpr int kToolTipDelayMs = 500;

// The application's tooltip timing. The display time is per widget
// (QWidget::setToolTipDuration). The re-show delay is 0: while a tooltip
// shows, the pointer moving onto another control shows that one's at once.
// Qt shows the next tooltip without the wake-up delay (after its fixed 20 ms)
// as long as the "fall asleep" time since the last tooltip appeared has not
// run out, so that time is the display time.
class ToolTipTimingStyle : public QProxyStyle {
public:
    // The classic Windows look, which the window layout was drawn for.
    ToolTipTimingStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kToolTipDelayMs;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return kToolTipDisplayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Qt's own texts (the save dialog, the context menus of the fields and
// panes) in Russian when the interface is, whatever the user's locale; Qt's
// own English otherwise.
void LoadQtTranslations()
{
    if (InterfaceLanguage() != TLanguage::Russian)
        return;
    auto* translator = new QTranslator(qApp);
    if (translator->load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        // The file types it lacks, from its own file dialog words.
        QCoreApplication::installTranslator(new FileTypeTranslator(qApp));
    } else {
        delete translator;
    }
}

} // namespace

QString DeriveApplicationTitle(const QString& executablePath)
{
    const qsizetype slash = std::max(executablePath.lastIndexOf('/'), executablePath.lastIndexOf('\\'));
    QString name = executablePath.mid(slash + 1);
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name.left(255);
}

QIcon ApplicationIcon()
{
    // Decoded once, shared by the windows that show it.
    static const QIcon icon(":/icons/app.ico");
    return icon;
}

void PresentFailure(const std::exception& failure)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QString text = QString::fromStdString(FailureText(failure.what()));
    ShowFailureBox(text);
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // QApplication switches the C library to the user's number format; the
    // program does its own number text and wants the C library left alone.
    std::setlocale(LC_NUMERIC, "C");
    InitialiseResources();
    // The application name, not the display name: Qt would append a display
    // name to every window caption.
    setApplicationName(DeriveApplicationTitle(applicationFilePath()));
    // Lets the desktop match the windows with the installed menu entry.
    setDesktopFileName("eh-antenna");
    setStyle(new ToolTipTimingStyle);
    // Menus are windows of their own, which take the application's font
    // rather than the font of the window they belong to.
    setFont(WindowFont(), "QMenu");
    ApplyRememberedInterfaceChoice();
    LoadQtTranslations();
    RegionalSettings::Refresh();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        PresentFailure(failure);
    }
    return false;
}

} // namespace eh
