#pragma once

#include <QFrame>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace Ui {
class TForm1;
}

// The splash window of the launcher: runs the progress bar, starts Tarvik from the current
// directory without waiting for it, and closes itself three seconds later. It takes no input,
// so the user cannot close it before then.
class TForm1 : public QFrame {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Timer1Timer();
    void StartMainProgram();

    std::unique_ptr<Ui::TForm1> ui;
    QTimer Timer1;
    // The analysis program's file, relative to the current directory.
    QString ProgramFile;
    // 1 after creation, 3 once Tarvik was started, 0 at the end.
    std::int32_t LaunchState = 0;
};
