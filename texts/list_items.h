// The items of the settings page's lists in the three languages: the serial settings' parity and
// flow control, the port list's network item and the model list's placeholder.
#pragma once

#include "texts/localized_text.h"

namespace texts {

// Picked by index (even, odd, none; Xon/Xoff, hardware, none). The Russian page has always
// listed them in Chinese.
inline constexpr LocalizedText kParityItems[] = {
    RussianAsChinese(L"Even", L"偶校验"),
    RussianAsChinese(L"Odd", L"奇校验"),
    RussianAsChinese(L"None", L"无"),
};
inline constexpr LocalizedText kFlowItems[] = {
    RussianAsChinese(L"Xon / Xoff", L"Xon / Xoff"),
    RussianAsChinese(L"Hardware", L"硬件"),
    RussianAsChinese(L"None", L"无"),
};

// The last item of the port list; the Russian list has none.
inline constexpr LocalizedText kNetworkPortItem{L"Net Port(TCP/IP)", L"网络端口（TCP/IP）", kNoText};

// The model list's first item, which chooses no model.
inline constexpr LocalizedText kModelPlaceholder{L"Please select model", L"请选择打印机型号",
                                                 caption::kPleaseSelectModel};

}  // namespace texts
