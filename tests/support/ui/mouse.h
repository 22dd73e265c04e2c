#pragma once
// A click as the person makes it: the button pressed, then released, on the widget's centre.
#include <QTest>
#include <QWidget>

namespace korvant::test {

inline void PressAndRelease(QWidget* w) {
    QTest::mousePress(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
}

}  // namespace korvant::test
