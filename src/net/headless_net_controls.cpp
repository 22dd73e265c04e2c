#include "net/headless_net_controls.h"

namespace korvant {

void HeadlessNetControls::ShowSendingNotice(bool shown) {
    if (shown && !sendingNoticeShown) ++sendingNotices;
    sendingNoticeShown = shown;
}

}  // namespace korvant
