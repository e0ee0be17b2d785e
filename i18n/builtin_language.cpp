#include "i18n/builtin_language.h"

#include <cstddef>

extern const unsigned char default_english_lug[];
extern const std::size_t default_english_lug_size;

namespace korvane {

std::string_view BuiltInLanguageBytes() {
    return {reinterpret_cast<const char*>(default_english_lug), default_english_lug_size};
}

}  // namespace korvane
