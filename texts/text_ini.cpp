#include "texts/text_ini.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include "platform/code_page.h"

namespace texts {
namespace {

// Keys in upper case, as Windows matches them without regard to case.
std::map<std::wstring, std::wstring> g_captions;

std::wstring Upper(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  return upper;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring Decoded(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
    return text;
  }
  const bool utf8 = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
  const std::string_view body(reinterpret_cast<const char*>(bytes.data()) + (utf8 ? 3 : 0), bytes.size() - (utf8 ? 3 : 0));
  std::wstring text;
  if (utf8) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), nullptr, 0);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), text.data(), length);
  } else {
    platform::AnsiToWide(body, text);
  }
  return text;
}

std::wstring_view Unquoted(std::wstring_view value) {
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == L'"' || value.front() == L'\'')) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

void TakeLine(std::wstring_view line, bool& inText) {
  line = Trimmed(line);
  if (line.empty() || line.front() == L';') return;
  if (line.front() == L'[') {
    const size_t close = line.find(L']');
    inText = close != std::wstring_view::npos && Upper(Trimmed(line.substr(1, close - 1))) == L"TEXT";
    return;
  }
  const size_t equals = line.find(L'=');
  if (!inText || equals == std::wstring_view::npos) return;
  const std::wstring key = Upper(Trimmed(line.substr(0, equals)));
  std::wstring value(Unquoted(Trimmed(line.substr(equals + 1))));
  if (value.size() >= kCaptionCapacity) value.resize(kCaptionCapacity - 1);
  g_captions.emplace(key, std::move(value));  // the first of a key wins, as Windows reads it
}

}  // namespace

void TakeTextIni(const std::vector<uint8_t>* fileBytes) {
  g_captions.clear();
  if (fileBytes == nullptr) return;
  const std::wstring text = Decoded(*fileBytes);
  bool inText = false;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
    TakeLine(std::wstring_view(text).substr(start, end - start), inText);
    start = end + 1;
  }
}

std::wstring LookUpCaption(const wchar_t* key, const wchar_t* fallback) {
  const auto found = g_captions.find(Upper(key));
  return found != g_captions.end() ? found->second : std::wstring(fallback);
}

std::wstring LookUpCaption(const CaptionKey& caption) { return LookUpCaption(caption.key, caption.fallback); }

}  // namespace texts
