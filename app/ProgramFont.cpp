#include "app/ProgramFont.h"

#include <QApplication>
#include <QFont>

void ApplyProgramFont(QApplication& application) {
    QFont font(QStringLiteral("Tahoma"));
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Malgun Gothic"),
                      QStringLiteral("Noto Sans CJK KR")});
    application.setFont(font);
}
