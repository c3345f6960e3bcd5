#include "messages/Message.h"

std::string ComposedText(const Message& message,
                         const std::function<std::string(MessageId)>& source) {
    if (message.Id == MessageId::Plain) return message.Text;
    const std::string pattern = source(message.Id);
    const std::size_t count = message.Arguments.size();
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t number = next >= '1' && next <= '9' ? next - '0' : 0;
        if (pattern[i] == '%' && number >= 1 && number <= count) {
            text += ComposedText(message.Arguments[number - 1], source);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string KoreanText(const Message& message) {
    return ComposedText(message, KoreanSource);
}
