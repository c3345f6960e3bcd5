#pragma once

#include "messages/MessageId.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A text as the core hands it on: an id whose source has its arguments put in for %1..%n,
// each argument a message of its own, or a plain text (a status line, a number, a path).
struct Message {
    Message() = default;
    Message(std::string text) : Text(std::move(text)) {}
    Message(const char* text) : Text(text) {}
    Message(MessageId id, std::vector<Message> arguments = {})
        : Id(id), Arguments(std::move(arguments)) {}

    bool operator==(const Message&) const = default;

    MessageId Id = MessageId::Plain;
    std::string Text; // of a plain text
    std::vector<Message> Arguments;
};

// The Korean text of an id with %1..%n where its arguments go; empty for Plain.
const char* KoreanSource(MessageId id);

// The message with `source` giving the text of each id, nested arguments included. Each %n is
// replaced in one pass, so an argument holding "%2" stays as it is.
std::string ComposedText(const Message& message,
                         const std::function<std::string(MessageId)>& source);

// As the Korean screen shows it and the files the program writes hold it.
std::string KoreanText(const Message& message);
