#include "texts/language.h"

namespace texts {
namespace {

const int* g_languageId = nullptr;

}  // namespace

void SetLanguageSource(const int* languageId) { g_languageId = languageId; }

int CurrentLanguageId() { return g_languageId != nullptr ? *g_languageId : kEnglish; }

}  // namespace texts
