#include "app/Tarvikmain.h"
#include "app/Tarviknote.h"
#include "packaging/TarvikIcon.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(Tarvikmain);
    QApplication application(argc, argv);
    QFont font(QStringLiteral("Tahoma"));
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Malgun Gothic"),
                      QStringLiteral("Noto Sans CJK KR")});
    application.setFont(font);
    application.setWindowIcon(TarvikIcon());
    TForm1 form1;
    TForm2 form2(&form1);
    form1.SetNoteWindow(&form2);
    form1.show();
    if (!form2.LoadError().isEmpty()) {
        QTimer::singleShot(0, &form1, [&] {
            QMessageBox::critical(&form1, form1.windowTitle(), form2.LoadError());
        });
    }
    return application.exec();
}
