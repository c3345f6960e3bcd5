#include "app/ReplayBar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

constexpr double Speeds[] = {0.5, 1.0, 2.0};
constexpr int NormalSpeed = 1;

} // namespace

ReplayBar::ReplayBar(QWidget* window)
    : QDialog(window, Qt::Tool), FileName(new QLabel(this)), Position(new QLabel(this)),
      BtnReplayPause(new QPushButton(this)),
      BtnReplayStep(new QPushButton(tr("한 샘플(&S)"), this)), CmbReplaySpeed(new QComboBox(this)),
      BtnReplayEnd(new QPushButton(tr("끝내기(&E)"), this)) {
    setObjectName(QStringLiteral("ReplayBar"));
    setWindowTitle(tr("기록 재생"));
    BtnReplayPause->setObjectName(QStringLiteral("BtnReplayPause"));
    BtnReplayStep->setObjectName(QStringLiteral("BtnReplayStep"));
    CmbReplaySpeed->setObjectName(QStringLiteral("CmbReplaySpeed"));
    BtnReplayEnd->setObjectName(QStringLiteral("BtnReplayEnd"));
    BtnReplayPause->setCheckable(true);
    BtnReplayStep->setToolTip(tr("멈춘 동안 다음 샘플 하나를 보냅니다"));
    for (const QString& speed : {QStringLiteral("½×"), QStringLiteral("1×"), QStringLiteral("2×")})
        CmbReplaySpeed->addItem(speed);
    auto* speedLabel = new QLabel(tr("속도(&V)"), this);
    speedLabel->setBuddy(CmbReplaySpeed);
    Position->setMinimumWidth(
        Position->fontMetrics().horizontalAdvance(QStringLiteral("000.00 / 000.00 s")));
    auto* grid = new QGridLayout(this);
    grid->addWidget(FileName, 0, 0, 1, 3);
    grid->addWidget(Position, 0, 3, 1, 2, Qt::AlignRight);
    grid->addWidget(BtnReplayPause, 1, 0);
    grid->addWidget(BtnReplayStep, 1, 1);
    grid->addWidget(speedLabel, 1, 2, Qt::AlignRight);
    grid->addWidget(CmbReplaySpeed, 1, 3);
    grid->addWidget(BtnReplayEnd, 1, 4);
    // As wide paused as playing: the bar keeps its size and its place.
    int widest = 0;
    for (const bool paused : {true, false}) {
        BtnReplayPause->setText(PauseText(paused));
        widest = std::max(widest, BtnReplayPause->sizeHint().width());
    }
    BtnReplayPause->setMinimumWidth(widest);
    connect(BtnReplayPause, &QPushButton::toggled, this, [this](bool paused) {
        BtnReplayPause->setText(PauseText(paused));
        BtnReplayStep->setEnabled(paused);
        emit PauseToggled(paused);
    });
    connect(BtnReplayStep, &QPushButton::clicked, this, &ReplayBar::StepRequested);
    connect(CmbReplaySpeed, &QComboBox::currentIndexChanged, this,
            [this](int index) { emit SpeedChosen(Speeds[index]); });
    connect(BtnReplayEnd, &QPushButton::clicked, this, &ReplayBar::EndRequested);
}

void ReplayBar::Begin(const QString& name) {
    FileName->setText(name);
    BtnReplayPause->setChecked(false);
    BtnReplayPause->setText(PauseText(false));
    BtnReplayStep->setEnabled(false);
    CmbReplaySpeed->setCurrentIndex(NormalSpeed);
    adjustSize();
    // Below the window where the screen has room, else over its message area: the charts and
    // boxes stay in view.
    const QRect window = parentWidget()->frameGeometry();
    const QRect screen = parentWidget()->screen()->availableGeometry();
    QPoint at(window.center().x() - width() / 2, window.bottom() + 1);
    if (at.y() + height() > screen.bottom()) at.setY(window.bottom() - height());
    move(at);
    show();
    raise();
    activateWindow();
    BtnReplayPause->setFocus();
}

QString ReplayBar::PauseText(bool paused) {
    return paused ? tr("계속(&P)") : tr("일시정지(&P)");
}

void ReplayBar::ShowPosition(double seconds, double total) {
    Position->setText(QStringLiteral("%1 / %2 s").arg(seconds, 0, 'f', 2).arg(total, 0, 'f', 2));
}

void ReplayBar::reject() {
    emit EndRequested();
}
