#pragma once
// What a command started from the panel answers: whether it did what was asked, and the
// message to show either way.
#include <string>

struct CommandReply {
    bool done = false;
    std::string message;
};
