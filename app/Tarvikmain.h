#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TForm1;
}

// The main window: owns every object and all state of the analysis program.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

private:
    std::unique_ptr<Ui::TForm1> ui;
};
