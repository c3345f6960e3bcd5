#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
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

// While it lives: closes every message box, keeping its text, and answers each file dialog
// with the next of `Paths`.
struct ModalAnswers : QObject {
    ModalAnswers() {
        connect(&Poll, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                Boxes << box->text();
                box->done(0);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                       dialog && !Paths.isEmpty()) {
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setText(Paths.takeFirst());
                QTest::keyClick(name, Qt::Key_Return);
            }
        });
        Poll.start(50);
    }
    QStringList Boxes, Paths;
    QTimer Poll;
};
