// The start-up picture: a pop-up over the starting viewer that shows
// TAVOLA.BMP and the names the suite was installed for, for three seconds or
// until the user presses a key or a mouse button.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

#include "korvisa/picture/dib_file.h"
#include "platform/framework/wnd.h"

namespace korvisa {

class CSplashWnd : public fw::CWnd {
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 250;
    static constexpr UINT kShowMilliseconds = 3000;

    // Shows the picture once per process; false when it is not shown (it was
    // shown before, or the program's bitmap resource 2000 cannot be loaded).
    static bool ShowSplashScreen(HWND owner);
    // Called for every message of the program: a key or mouse button ends the
    // picture; true when the message was used for that.
    static bool PreTranslateAppMessage(const MSG& msg);
    static CSplashWnd* Current() { return s_current; }

    ~CSplashWnd() override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    CSplashWnd() = default;
    void Hide();
    void OnPaint();
    bool LoadPicture();
    void DiscardPicture();
    void DrawNames(HDC dc);

    static CSplashWnd* s_current;
    static bool s_shown;
    static bool s_pictureLoadedOnce;

    HBITMAP m_resourceBitmap = nullptr;
    std::unique_ptr<DibImage> m_picture;
    HPALETTE m_palette = nullptr;
    std::string m_companyLine, m_userLine;
};

}  // namespace korvisa
