#pragma once
// What a person is told when a session could not be opened.
#include "core/message_table.h"
#include "net/session.h"

namespace korvant {

// The reason in the person's words where there is one of its own; "the connection was broken" otherwise.
Msg OpenFailureMessage(OpenError e);

}  // namespace korvant
