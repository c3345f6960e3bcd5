#include "app/Tarviknote.h"

#include "files/NoteFile.h"
#include "ui_Tarviknote.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

const char* const NoteFileName = "AccNote.rtf";
const char* const EnglishNoteFileName = "AccNote_en.rtf";

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TForm2>()) {
    ui->setupUi(this);
    // Tahoma has no Hangul; the Korean face behind it also stands in where Tahoma is missing.
    QFont noteFont = font();
    noteFont.setFamilies({"Tahoma", "Noto Sans CJK KR"});
    setFont(noteFont);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate() {
    std::error_code error;
    // The English window shows the English sample where the folder has one.
    std::optional<std::string> note;
    if (QLocale().language() == QLocale::English) note = ReadNoteFile(EnglishNoteFileName, error);
    if (!note) note = ReadNoteFile(NoteFileName, error);
    if (!note) {
        Error =
            tr("알림 파일 \"%1\"을(를) 읽을 수 없어 기본 안내문을 보여 줍니다.").arg(NoteFileName);
        ErrorDetail = QString::fromStdString(error.message());
        return;
    }
    ui->RichEdit1->setHtml(QString::fromStdString(*note));
}

void TForm2::Button1Click() {
    close();
}

void TForm2::ShowNote(QWidget* mainWindow) {
    if (!isVisible() && mainWindow) {
        QRect frame = frameGeometry();
        frame.moveCenter(mainWindow->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    if (!Error.isEmpty() && !ErrorReported) {
        ErrorReported = true;
        // After the caller's handler: the box runs its own event loop.
        QTimer::singleShot(0, this, &TForm2::ReportLoadError);
    }
}

void TForm2::ReportLoadError() {
    QMessageBox box(QMessageBox::Warning, windowTitle(), Error, QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(tr("확인"));
    box.setInformativeText(ErrorDetail);
    box.exec();
}

bool TForm2::NotShowChecked() const {
    return ui->CbNotShow->isChecked();
}
