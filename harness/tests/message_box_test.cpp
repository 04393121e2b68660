#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "harness/message_box.h"
#include "harness/process.h"
#include "harness/tests/sample.h"
#include "harness/window.h"

using namespace harness;

namespace {

// The sample's message box caption and text in code page 932.
const std::string kCaption = "\xca\xb0\xc8\xbd\x8a\x6d\x94\x46";
const std::string kText =
    "\x90\xdd\x92\xe8\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48\n"
    "\x95\x5c\x8e\xa6\x3a\x20\x83\x5c\x83\x74\x83\x67\x94\x5c\x97\xcd";

}  // namespace

TEST(MessageBoxes, OfAnotherProcessIsFoundReadAndAnswered) {
    Process sample = Process::start(samplePath(), "msgbox");
    ASSERT_TRUE(sample.valid()) << sample.error();

    HWND box = waitForMessageBox(kCaption, sample.id());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(box, findMessageBox(kCaption));
    EXPECT_EQ(nullptr, findMessageBox(kCaption, GetCurrentProcessId()));
    EXPECT_EQ(nullptr, findMessageBox(kCaption.substr(0, 4), sample.id()));

    EXPECT_EQ(kText, messageBoxText(box));
    EXPECT_EQ((std::vector<int>{IDYES, IDNO, IDCANCEL}), messageBoxButtons(box));

    // A button the box does not have is not pressed.
    EXPECT_FALSE(pressButton(box, IDOK));
    EXPECT_TRUE(sample.running());

    EXPECT_TRUE(answerMessageBox(box, IDNO));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(static_cast<DWORD>(IDNO), sample.wait());
}
