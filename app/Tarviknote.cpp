#include "app/Tarviknote.h"

#include "files/RtfReader.h"
#include "ui_Tarviknote.h"

#include <QFile>

namespace {

const char* const NoteFileName = "AccNote.rtf";

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
    QFile file(NoteFileName);
    QByteArray rtf;
    if (file.open(QIODevice::ReadOnly)) rtf = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Error =
            QStringLiteral("Cannot open file \"%1\". %2.").arg(NoteFileName, file.errorString());
        return;
    }
    ui->RichEdit1->setHtml(QString::fromStdString(HtmlFromRtf(rtf.toStdString())));
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
}

bool TForm2::NotShowChecked() const {
    return ui->CbNotShow->isChecked();
}
