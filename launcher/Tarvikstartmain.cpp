#include "launcher/Tarvikstartmain.h"

#include "packaging/TarvikIcon.h"
#include "ui_Tarvikstartmain.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QThread>

namespace {

#ifdef Q_OS_WIN
const QString ExecutableSuffix = QStringLiteral(".exe");
#else
const QString ExecutableSuffix;
#endif

constexpr int TickInterval = 100;
constexpr int ProgressStep = 5;
constexpr int ProgressPause = 20;
constexpr int CloseDelay = 3000;

} // namespace

TForm1::TForm1(QWidget* parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint), ui(new Ui::TForm1) {
    ui->setupUi(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Disabled, the window ignores mouse and keyboard; it keeps its colours and logo all the
    // same, as a splash should.
    QPalette look = palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = QPalette::ColorRole(role);
        look.setColor(QPalette::Disabled, colorRole, look.color(QPalette::Active, colorRole));
    }
    setPalette(look);
    QIcon logo = TarvikIcon();
    logo.addPixmap(logo.pixmap(ui->BitBtn1->iconSize()), QIcon::Disabled);
    ui->BitBtn1->setIcon(logo);
    setEnabled(false);
    move(screen()->availableGeometry().center() - rect().center());

    ProgramFile = QStringLiteral("Tarvik") + ExecutableSuffix;
    LaunchState = 1;
    Timer1.setInterval(TickInterval);
    Timer1.start();
}

void TForm1::Timer1Timer() {
    switch (LaunchState) {
    case 1:
        Timer1.stop();
        // The bar runs inside this one tick; each step is drawn at once.
        for (int percent = 0; percent <= 100; percent += ProgressStep) {
            ui->ProgressBar1->setValue(percent);
            ui->ProgressBar1->repaint();
            QThread::msleep(ProgressPause);
        }
        StartMainProgram();
        LaunchState = 3;
        Timer1.setInterval(CloseDelay);
        Timer1.start();
        break;
    case 3:
        LaunchState = 0;
        Timer1.stop();
        close();
        break;
    default:
        Timer1.stop();
        break;
    }
}

void TForm1::StartMainProgram() {
    // Tarvik is looked for in the current directory, never on the search path, and runs on
    // after the launcher has ended. An installation on Windows starts the launcher in the
    // user's working folder, which holds no programs: there the Tarvik beside the launcher runs.
    QString program = QDir::current().absoluteFilePath(ProgramFile);
#ifdef Q_OS_WIN
    if (!QFileInfo::exists(program))
        program = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(ProgramFile);
#endif
    if (!QProcess::startDetached(program, {}, QDir::currentPath())) {
        QMessageBox::warning(nullptr, QGuiApplication::applicationDisplayName(),
                             QStringLiteral("Could not create process"));
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (LaunchState != 0) event->ignore();
}
