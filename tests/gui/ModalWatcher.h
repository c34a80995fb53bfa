// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

// Closes the modal boxes a test provokes, from a timer, recording what each
// showed: no test waits for a person.
class ModalWatcher : public QObject {
public:
    struct Seen {
        QString objectName;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    // `handle` may act on the box (for example fill in a file dialog);
    // by default the box is closed with Escape semantics (reject()).
    explicit ModalWatcher(std::function<void(QWidget*)> handle = {}) : handle_(std::move(handle))
    {
        connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Poll);
        timer_.start(10);
    }

    const QList<Seen>& seen() const { return seen_; }

private:
    void Poll()
    {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == last_)
            return;
        last_ = box;
        Seen seen{box->objectName(), box->windowTitle(), {}, QMessageBox::NoIcon};
        if (auto* message = qobject_cast<QMessageBox*>(box)) {
            seen.text = message->text();
            seen.icon = message->icon();
        } else if (auto* label = box->findChild<QLabel*>("NoticeText")) {
            seen.text = label->text();
        }
        seen_.append(seen);
        QPointer<QWidget> guard(box);
        if (handle_)
            handle_(box);
        if (guard && guard->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->reject();
        }
        last_ = nullptr;
    }

    std::function<void(QWidget*)> handle_;
    QTimer timer_;
    QWidget* last_ = nullptr;
    QList<Seen> seen_;
};
