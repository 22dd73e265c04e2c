#include "session/event_pause.h"

#include <QEventLoop>
#include <QTimer>

namespace korvant {

void PauseWithEvents(std::chrono::milliseconds length) {
    QEventLoop loop;
    QTimer::singleShot(length, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace korvant
