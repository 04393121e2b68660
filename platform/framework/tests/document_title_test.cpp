#include "platform/framework/tests/test_frame.h"

using DocumentTitle = fwtest::FrameTest;

TEST_F(DocumentTitle, CaptionIsTheAppTitleAndTheDocumentTitle)
{
    auto caption = [&] {
        char text[256] = "";
        ::GetWindowTextA(frame->m_hWnd, text, sizeof text);
        return std::string(text);
    };
    // The document named itself while the frame was being made.
    EXPECT_EQ(caption(), "試験ﾋﾞｭｰｱ - 無題");
    doc->SetTitle("月次報告");
    EXPECT_EQ(caption(), "試験ﾋﾞｭｰｱ - 月次報告");
    doc->SetTitle("");
    EXPECT_EQ(caption(), "試験ﾋﾞｭｰｱ");
}

TEST_F(DocumentTitle, DocStringsAreThePiecesOfTheTemplateString)
{
    const fw::CSingleDocTemplate& tmpl = *app.DocTemplate();
    EXPECT_EQ(tmpl.GetDocString(0), "試験ﾋﾞｭｰｱ");
    EXPECT_EQ(tmpl.GetDocString(1), "");   // an empty piece between two others
    EXPECT_EQ(tmpl.GetDocString(2), "試験");
    EXPECT_EQ(tmpl.GetDocString(4), ".TST");
    EXPECT_EQ(tmpl.GetDocString(6), "試験 ﾄﾞｷｭﾒﾝﾄ");   // the last, with no newline after it
    EXPECT_EQ(tmpl.GetDocString(7), "");

    fw::CSingleDocTemplate missing(IDR_TESTFRAME + 50, nullptr, nullptr, nullptr);
    EXPECT_EQ(missing.GetDocString(0), "");
}
