#pragma once

#include "messages/Message.h"

#include <QString>

// A message of the core in the language the program shows: each id's Korean source as the
// translations give it, its arguments each in that language too.
QString ShownText(const Message& message);
