// The window tests' answerer: it answers as windows open, and a window nobody answers, one
// left open or one that never opens fails the test instead of hanging it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>

#include "support/ui/modal_answerer.h"

namespace korvant {
namespace {

using namespace std::chrono_literals;

TEST(ModalAnswerer, AnswersEachWindowAsItOpensAndNotesTheBoxes) {
    test::ModalAnswerer answers;
    answers.Boxes({QMessageBox::No, QMessageBox::Yes});
    EXPECT_EQ(QMessageBox::question(nullptr, "Korvant", "Sure?"), QMessageBox::No);
    EXPECT_EQ(QMessageBox::question(nullptr, "Korvant", "Really?"), QMessageBox::Yes);
    EXPECT_EQ(QMessageBox::question(nullptr, "Korvant", "Again?"), QMessageBox::Yes);  // the last answer again
    EXPECT_EQ(answers.boxTexts, (QStringList{"Sure?", "Really?", "Again?"}));
    EXPECT_EQ(answers.answered, 3);
}

TEST(ModalAnswerer, AnUnexpectedWindowFailsTheTestAndIsClosed) {
    QDialog dialog;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalAnswerer answers;
            result = dialog.exec();
        },
        "unexpected window QDialog");
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST(ModalAnswerer, AWindowLeftOpenFailsWithinThePatience) {
    QDialog dialog;
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalAnswerer answers(200ms);
            answers.Expect<QDialog>([](QDialog&) {});  // answers without closing it
            dialog.exec();
        },
        "still open");
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalAnswerer, AnExpectedWindowThatNeverOpensFails) {
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalAnswerer answers;
            answers.Expect<QMessageBox>([](QMessageBox& box) { box.accept(); });
        },
        "never opened");
}

}  // namespace
}  // namespace korvant
