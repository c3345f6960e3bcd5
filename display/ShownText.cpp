#include "display/ShownText.h"

#include "display/QtText.h"

#include <QCoreApplication>

QString ShownText(const Message& message) {
    return Text(ComposedText(message, [](MessageId id) {
        return Std(QCoreApplication::translate("CoreTexts", KoreanSource(id)));
    }));
}
