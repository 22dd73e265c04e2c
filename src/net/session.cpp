#include "net/session.h"

namespace korvant {

std::string_view OpenErrorText(OpenError e) {
    switch (e) {
        case OpenError::ConnectFailed:
            return "No session answered at that address, or one of its players could not be reached";
        case OpenError::SessionFull: return "The session is full";
        case OpenError::OtherProgram: return "The other side is not a session of this game";
        case OpenError::OtherVersion: return "The other side runs another version of the game";
        case OpenError::IdTaken: return "A player of the session already has this player's id";
        case OpenError::Timeout: return "The other side did not answer in time";
        case OpenError::ListenFailed: return "This computer cannot accept connections";
        case OpenError::ProtocolError: return "The other side answered with a malformed message";
        case OpenError::NameTaken: return "A player of the session already has this name";
        case OpenError::WrongPassword: return "The session asks for another password";
    }
    return "Unknown error";
}

std::string_view SendResultText(SendResult r) {
    switch (r) {
        case SendResult::Sent: return "Sent";
        case SendResult::IllegalForm: return "The message form is illegal";
        case SendResult::TooLarge: return "The block is larger than a session carries";
        case SendResult::NotOpen: return "No session is open";
        case SendResult::UnknownPlayer: return "No such player in the session";
    }
    return "Unknown result";
}

}  // namespace korvant
