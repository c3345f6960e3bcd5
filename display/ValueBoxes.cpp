#include "display/ValueBoxes.h"

#include "display/RepaintClock.h"

#include <QLineEdit>

ValueBoxes::ValueBoxes(const QWidget& window, RepaintClock& clock) : Clock(clock) {
    for (int box = 0; box < BoxCount; ++box)
        Edits[box] = window.findChild<QLineEdit*>(BoxName(static_cast<Box>(box)));
    connect(&Clock, &RepaintClock::Tick, this, &ValueBoxes::ShowWaiting);
}

void ValueBoxes::Show(Box box, const std::string& text) {
    const int index = static_cast<int>(box);
    Waiting[index] = text;
    IsWaiting[index] = true;
    Clock.Request();
}

void ValueBoxes::ShowWaiting() {
    for (int box = 0; box < BoxCount; ++box) {
        if (!IsWaiting[box]) continue;
        IsWaiting[box] = false;
        if (Edits[box] == nullptr) continue;
        const QString text = QString::fromStdString(Waiting[box]);
        if (Edits[box]->text() != text) Edits[box]->setText(text);
    }
}
