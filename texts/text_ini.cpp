#include "texts/text_ini.h"

#include "platform/profile.h"

namespace texts {

std::wstring LookUpCaption(const wchar_t* key, const wchar_t* fallback, std::wstring_view documentsFolder) {
  // A Documents path that ends in '\' gives a double one here, which Windows accepts.
  const std::wstring path = std::wstring(documentsFolder) + L"\\Text.ini";
  wchar_t value[kCaptionCapacity] = {};
  platform::profile::GetPrivateProfileStringW(L"Text", key, fallback, value, kCaptionCapacity, path.c_str());
  return value;
}

std::wstring LookUpCaption(const CaptionKey& caption, std::wstring_view documentsFolder) {
  return LookUpCaption(caption.key, caption.fallback, documentsFolder);
}

}  // namespace texts
