#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Runs `answer` on the next modal dialog once it is shown, while the test waits in the
// dialog's own event loop. Gives up after ten seconds without one.
inline void AnswerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, ticks, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool shown = modal != nullptr && modal->isVisible();
        if (!shown && ++*ticks < 500) return;
        poll->stop();
        poll->deleteLater();
        if (shown) answer(modal);
    });
    poll->start(20);
}
