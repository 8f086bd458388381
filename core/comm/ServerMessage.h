#pragma once
#include <string>
#include <vector>

// What the order server sent, told by how the message begins.
enum class ServerMessageKind { Reply, Update, Other };

// "REPLY" and more: the answer to the order; "EXEUPDATE" and more: a program
// file; anything else is ignored. Tested in that order.
ServerMessageKind ClassifyServerMessage(const std::string& message);

// The acknowledgement the client sends back: "OK" for a reply or an update, "BAD" otherwise.
const char* ServerMessageAnswer(ServerMessageKind kind);

// The fields of a message between its "~"s; runs of "~" separate once, so no field is empty.
std::vector<std::string> SplitFields(const std::string& message);
