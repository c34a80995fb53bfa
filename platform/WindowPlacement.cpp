// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace eh {

namespace {

// Centres its window at the first show, then removes itself.
class FirstShowCentring : public QObject {
public:
    explicit FirstShowCentring(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            if (const QScreen* screen = window->screen())
                CentreOnScreen(*window, *screen);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void ShowAndRaise(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void CentreOnScreen(QWidget& window, const QScreen& screen)
{
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen.availableGeometry().center());
    window.move(frame.topLeft());
}

void CentreOnFirstShow(QWidget& window)
{
    new FirstShowCentring(window);
}

} // namespace eh
