// The captions of the wizard dialog (template 102) and the port choice dialog (template 138) in
// the three languages, by control id; kNoText keeps the template's own caption.
#pragma once

#include <windows.h>

#include "resources/resource.h"
#include "texts/localized_text.h"

namespace texts {

struct ControlCaption {
  int id;
  LocalizedText text;
};

// The window title when the wizard texts configure none; the Russian wizard has none.
inline constexpr LocalizedText kWizardTitle{L"USB printer driver installation Wizard", L"USB打印机驱动安装", kNoText};

inline constexpr ControlCaption kWizardCaptions[] = {
    {IDC_BACK, {L"Back", L"<<上一步", caption::kBack}},
    {IDC_NEXT, {L"Next", L"下一步>>", caption::kNext}},
    {IDC_CANCEL_BUTTON, {L"Cancel", L"取消", L"Отмена"}},
    {IDC_BROWSE, {L"Browse", L"浏览...", caption::kBrowse}},
    {IDC_SETTINGS_GROUP, {L"Select Port", L"设置端口", L"выбор порта"}},
    {IDC_MODEL_LABEL, {L"Model:", L"型号：", caption::kDriverTitle}},
    {IDC_NAME_LABEL, {L"Printer Name:", L"打印机名称：", caption::kPrintTitle}},
    {IDC_DEFAULT_PRINTER, {L"Set as default printer", L"设置为默认打印机", caption::kDefaultPrinter}},
    {IDC_PORT_LABEL, RussianAsEnglish(L"Port:", L"端口：")},
    {IDC_BAUD_LABEL, RussianAsEnglish(L"Baudrate:", L"波特率：")},
    {IDC_PARITY_LABEL, {L"Parity bit:", kNoText, kNoText}},
    {IDC_STOP_BITS_LABEL, {L"Stop bits:", kNoText, kNoText}},
    {IDC_FLOW_LABEL, {L"Flow control:", kNoText, kNoText}},
    {IDC_DATA_BITS_LABEL, {L"Data bits:", kNoText, kNoText}},
    {IDC_USE_MONITOR, {kNoText, kNoText, L"Use Printer Monitor"}},
    // The template's captions of the network fields are Chinese; English and Russian users
    // read them in English.
    {IDC_IP_LABEL, RussianAsEnglish(L"Printer IP:", kNoText)},
    {IDC_TCP_PORT_LABEL, RussianAsEnglish(L"Port:", kNoText)},
};

// Cancel becomes Finish once the installation has ended; on the failure page the Russian
// wizard reads no Text.ini for it.
inline constexpr LocalizedText kFinishCaption{L"Finish", L"完成", caption::kFinish};
inline constexpr LocalizedText kFailureFinishCaption = RussianAsEnglish(L"Finish", L"完成");

inline constexpr LocalizedText kPortDialogTitle = RussianAsEnglish(L"Select Printer Port", L"选择打印机端口");
inline constexpr ControlCaption kPortDialogCaptions[] = {
    {IDOK, {kNoText, L"确定", kNoText}},
    {IDCANCEL, {kNoText, L"取消", kNoText}},
};
// The port list's columns: port, description, monitor.
inline constexpr LocalizedText kPortListColumns[] = {
    RussianAsEnglish(L"Port", L"端口"),
    RussianAsEnglish(L"Description", L"描述"),
    RussianAsEnglish(L"Monitor", L"监视器"),
};

}  // namespace texts
