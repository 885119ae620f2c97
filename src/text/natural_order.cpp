#include "text/natural_order.h"

#include <unicode/ucol.h>

namespace velmora {

NaturalOrder::NaturalOrder(const char* locale) {
    UErrorCode status = U_ZERO_ERROR;
    // ICU's default locale follows the environment (LANG, LC_ALL).
    collator_ = ucol_open(locale, &status);
    if (U_SUCCESS(status)) {
        ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
        // Letters before Chinese, as file managers show them: a Chinese collation would put
        // Chinese first.
        const std::int32_t scripts[] = {USCRIPT_LATIN, USCRIPT_HAN};
        ucol_setReorderCodes(collator_, scripts, 2, &status);
    }
}

NaturalOrder::~NaturalOrder() {
    ucol_close(collator_);
}

bool NaturalOrder::operator()(const std::u16string& a, const std::u16string& b) const {
    // Without a collator (ICU's data missing), the code units' order.
    if (collator_ == nullptr) {
        return a < b;
    }
    return ucol_strcoll(collator_, a.data(), static_cast<std::int32_t>(a.size()), b.data(),
                        static_cast<std::int32_t>(b.size())) == UCOL_LESS;
}

}  // namespace velmora
