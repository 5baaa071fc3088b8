#include "online/win32/frm_about.h"

#include <commctrl.h>

#include <cstring>
#include <optional>

#include "base/jpeg_image.h"
#include "online/online_build_config.h"
#include "online/win32/about_logo_jpeg.h"
#include "online/win32/link_label.h"
#include "online/win32/shell_actions.h"
#include "ui/win32/skinned_dialog.h"

namespace kalvoro::win {
namespace {

constexpr int kWidth = 332;
constexpr int kHeight = 246;

Bitmap BitmapFromRgb(const RgbImage& image) {
    DibSection dib(image.width, image.height);
    if (!dib) return Bitmap();
    const std::uint8_t* source = image.rgb.data();
    std::uint32_t* target = dib.pixels();
    for (int i = 0; i < image.width * image.height; ++i, source += 3) {
        target[i] = 0xFF000000u | (std::uint32_t{source[0]} << 16) | (std::uint32_t{source[1]} << 8) | source[2];
    }
    return Bitmap(dib.Release());
}

Font CreatePixelFont(const wchar_t* face, int pixels, bool bold) {
    return Font(::CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

class TFrmAbout final : public SkinnedDialog {
public:
    TFrmAbout() : SkinnedDialog(kAboutCaption, kWidth, kHeight) {}

protected:
    void OnCreateControls() override {
        // Created before the logo, so it lies above it and the logo never paints over it.
        const HWND version =
            AddControl(WC_STATICW, AboutVersionText(), SS_RIGHT | SS_NOPREFIX, 0, 205, 104, 80, 15, kAboutVersionId);
        if (const std::optional<RgbImage> logo = DecodeJpeg(AboutLogoJpeg())) logo_ = BitmapFromRgb(*logo);
        picture_ = AddControl(WC_STATICW, "", SS_BITMAP | WS_CLIPSIBLINGS, 0, 32, 35, 260, 75, kAboutLogoId);
        if (picture_ && logo_)
            ::SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
        mail_ = AddControl(WC_STATICW, online_build::kMailAddress, SS_RIGHT | SS_NOPREFIX | SS_NOTIFY, 0, 32, 154, 253,
                           14, kAboutMailId);
        const HWND notice =
            AddControl(WC_STATICW, kAboutNotice, SS_RIGHT | SS_NOPREFIX, 0, 10, 179, 275, 13, kAboutNoticeId);
        AddControl(WC_STATICW, "", SS_ETCHEDHORZ, 0, 10, 195, 312, 2, kNoId);
        AddButton("确定(&O)", 126, 208, 80, 25, IDOK, true);

        version_font_ = CreatePixelFont(L"Arial", 12, true);
        notice_font_ = CreatePixelFont(L"Tahoma", 9, false);
        link_font_ = CreateLinkFont(DialogFont());
        ::SendMessageW(version, WM_SETFONT, reinterpret_cast<WPARAM>(version_font_.get()), FALSE);
        ::SendMessageW(notice, WM_SETFONT, reinterpret_cast<WPARAM>(notice_font_.get()), FALSE);
        ::SendMessageW(mail_, WM_SETFONT, reinterpret_cast<WPARAM>(link_font_.get()), FALSE);
    }

    void OnCommand(int id, int code) override {
        if (id == kAboutMailId && code == STN_CLICKED) {
            OpenAddressWithShell(std::string("mailto:") + online_build::kMailAddress);
        }
    }

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_SETCURSOR && SetLinkCursor(reinterpret_cast<HWND>(wparam), &mail_, 1)) return TRUE;
        if (message == WM_DESTROY && picture_) ReleaseShownLogo();
        const LRESULT result = SkinnedDialog::HandleMessage(message, wparam, lparam);
        if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lparam) == mail_) {
            ColourLinkLabel(reinterpret_cast<HDC>(wparam));
        }
        return result;
    }

private:
    // A picture control shows a copy of a bitmap with alpha and leaves that copy to its owner:
    // without this every 关于 left one bitmap behind.
    void ReleaseShownLogo() {
        const auto shown = reinterpret_cast<HBITMAP>(::SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown && shown != logo_.get()) ::DeleteObject(shown);
        picture_ = nullptr;
    }

    Bitmap logo_;
    Font version_font_;
    Font notice_font_;
    Font link_font_;
    HWND mail_ = nullptr;
    HWND picture_ = nullptr;
};

}  // namespace

std::string AboutVersionText() {
    return std::string("V") + KALVORO_VERSION;
}

void ShowAbout(HWND owner) {
    Guarded([owner] { TFrmAbout().RunModal(owner); });
}

}  // namespace kalvoro::win
