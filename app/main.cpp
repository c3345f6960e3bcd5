#include "app/Language.h"
#include "app/ProgramFont.h"
#include "app/Tarvikmain.h"
#include "app/Tarviknote.h"
#include "packaging/TarvikIcon.h"

#include <QApplication>
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char* argv[]) {
#ifdef __GLIBC__
    // A replot draws into a buffer as large as its chart (6 MB on a full-HD screen) that goes
    // back when it is done, as do the file dialog's pictures. Blocks this large are mapped and
    // given back to the system at once, instead of staying in the heap once glibc has raised
    // its mapping threshold to their size.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    // The program's patterns are a file dialog's name filters and a font name in an SVG file:
    // compiling them to machine code would only add the compiler's pages to the program's memory.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT")) qputenv("QT_ENABLE_REGEXP_JIT", "0");
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
