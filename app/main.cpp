#include "app/Language.h"
#include "app/ProgramFont.h"
#include "app/Tarvikmain.h"
#include "app/Tarviknote.h"
#include "packaging/TarvikIcon.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(Tarvikmain);
    QApplication application(argc, argv);
    InstallTranslations(application, ChooseLanguage(QCoreApplication::arguments(),
                                                    QProcessEnvironment::systemEnvironment()));
    ApplyProgramFont(application);
    application.setWindowIcon(TarvikIcon());
    TForm1 form1;
    TForm2 form2(&form1);
    form1.SetNoteWindow(&form2);
    form1.show();
    return application.exec();
}
