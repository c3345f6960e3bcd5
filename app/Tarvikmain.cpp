#include "app/Tarvikmain.h"

#include "ui_Tarvikmain.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()) {
    ui->setupUi(this);
}

TForm1::~TForm1() = default;
