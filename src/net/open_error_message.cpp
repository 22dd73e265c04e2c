#include "net/open_error_message.h"

namespace korvant {

Msg OpenFailureMessage(OpenError e) {
    switch (e) {
        case OpenError::SessionFull: return Msg::SessionFull;
        case OpenError::OtherVersion: return Msg::SessionOfOtherVersion;
        case OpenError::ConnectFailed: return Msg::NobodyAnswers;
        case OpenError::NameTaken: return Msg::NameInSession;
        case OpenError::WrongPassword: return Msg::WrongSessionPassword;
        default: return Msg::ConnectionBroken;
    }
}

}  // namespace korvant
