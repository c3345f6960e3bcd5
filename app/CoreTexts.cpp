#include "app/CoreTexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace {

// As the core writes them; %1 and %2 stand for the parts that vary.
const char* const CoreLines[] = {
    QT_TRANSLATE_NOOP("CoreTexts", "가속도계가 자동 연결되었습니다."),
    QT_TRANSLATE_NOOP("CoreTexts", "점검 : 연결가능한 가속도계가 없습니다. 가속도계의 전원과 "
                                   "통신 케이블을 점검하세요"),
    QT_TRANSLATE_NOOP("CoreTexts", "해결1: 가속도계의 전원을 껏다 다시 켜고 우측 상단의 "
                                   "포트모양의 아이콘을 클릭합니다"),
    QT_TRANSLATE_NOOP("CoreTexts", "해결2: [제어판]-[장치관리자]에서 직렬 통신포트가 1~8사이로 "
                                   "설정되어 있는지 확인 합니다"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "해결3: 리눅스에서는 포트를 /dev/ttyUSB0 또는 /dev/ttyACM0 형식으로 "
                      "입력하고, 사용자가 dialout 그룹에 속해 있는지 확인합니다 (sudo usermod "
                      "-aG dialout 사용자명, 다시 로그인)"),
    QT_TRANSLATE_NOOP("CoreTexts", "가속도계가 다시 연결되었습니다."),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "가속도계 연결이 끊어졌습니다 (%1). 케이블을 다시 연결하면 자동으로 다시 "
                      "연결되며, 우측 상단의 포트모양의 아이콘을 눌러 바로 연결할 수도 있습니다"),
    QT_TRANSLATE_NOOP("CoreTexts", "[주의] 이번 측정에서 샘플 약 %1개(%2%)를 받지 못했습니다. "
                                   "시간 값이 실제보다 짧게 나타납니다"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1축ACC:%2"),
};

struct CoreLine {
    const char* Source;
    QRegularExpression Pattern; // the line with each %n as a captured part
};

const std::vector<CoreLine>& Lines() {
    static const std::vector<CoreLine> lines = [] {
        std::vector<CoreLine> built;
        for (const char* source : CoreLines) {
            QString pattern = QRegularExpression::escape(QString::fromUtf8(source));
            pattern.replace(QRegularExpression(QStringLiteral("\\\\%[1-9]")),
                            QStringLiteral("(.*)"));
            built.push_back(
                {source, QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'))});
        }
        return built;
    }();
    return lines;
}

// Puts the captured parts in for %1..%9 in one pass, so that a part holding "%2" stays as it is.
QString Filled(const QString& text, const QRegularExpressionMatch& match) {
    QString filled;
    for (int i = 0; i < text.size(); ++i) {
        const int number = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == QLatin1Char('%') && number >= 1 && number <= match.lastCapturedIndex()) {
            filled += match.captured(number);
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

} // namespace

QString CoreText(const std::string& line) {
    const QString text = QString::fromStdString(line);
    for (const CoreLine& known : Lines()) {
        const QRegularExpressionMatch match = known.Pattern.match(text);
        if (match.hasMatch())
            return Filled(QCoreApplication::translate("CoreTexts", known.Source), match);
    }
    return text;
}
