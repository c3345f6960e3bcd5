#include "launcher/Tarvikstartmain.h"
#include "packaging/TarvikIcon.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("TarvikStart"));
    application.setApplicationDisplayName(QStringLiteral("TarvikStart"));
    application.setWindowIcon(TarvikIcon());
    TForm1 form1;
    form1.show();
    application.exec();
    return 0;
}
