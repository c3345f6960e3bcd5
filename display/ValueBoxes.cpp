#include "display/ValueBoxes.h"

#include "display/PanelCacheStyle.h"
#include "display/RepaintClock.h"

#include <QLineEdit>

ValueBoxes::ValueBoxes(const QWidget& window, RepaintClock& clock) : Clock(clock) {
    for (int box = 0; box < BoxCount; ++box)
        Edits[box] = window.findChild<QLineEdit*>(BoxName(static_cast<Box>(box)));
    auto* style = new PanelCacheStyle;
    style->setParent(this);
    for (QLineEdit* edit : Edits)
        if (edit != nullptr) edit->setStyle(style);
    connect(&Clock, &RepaintClock::Tick, this, &ValueBoxes::ShowWaiting);
}

void ValueBoxes::Show(Box box, const std::string& text) {
    const int index = static_cast<int>(box);
    Waiting[index] = text;
    IsWaiting[index] = true;
    Clock.Request();
}

void ValueBoxes::Forget(const QLineEdit* edit) {
    for (int box = 0; box < BoxCount; ++box)
        if (Edits[box] == edit) IsWaiting[box] = false;
}

void ValueBoxes::ShowNotLive() {
    // The values the stream keeps current; the peaks stay editable and the read-back values
    // are the device's answers, not live.
    for (const Box box :
         {Box::EdAcceloG, Box::EdAcceloM, Box::EdAccSumG, Box::EdAccSumM, Box::EdAngle,
          Box::EdForrceKgf, Box::EdForceN, Box::EdSpd, Box::EdDist, Box::EdDataX, Box::EdDataY,
          Box::EdDataZ, Box::EdAccSum, Box::EdAccSumDelta, Box::EdAngleMon}) {
        const int index = static_cast<int>(box);
        if (Edits[index] == nullptr) continue;
        NotLive[index] = true;
        Edits[index]->setEnabled(false);
    }
}

void ValueBoxes::ShowWaiting() {
    for (int box = 0; box < BoxCount; ++box) {
        if (!IsWaiting[box]) continue;
        IsWaiting[box] = false;
        if (Edits[box] == nullptr) continue;
        if (NotLive[box]) Edits[box]->setEnabled(true);
        NotLive[box] = false;
        const QString text = QString::fromStdString(Waiting[box]);
        if (Edits[box]->text() != text) Edits[box]->setText(text);
    }
}
