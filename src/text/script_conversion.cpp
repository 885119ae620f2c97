#include "text/script_conversion.h"

#include <opencc/Exception.hpp>
#include <opencc/SimpleConverter.hpp>

#include "platform/user_folders.h"
#include "text/code_page.h"
#include "text/failure.h"

namespace velmora {
namespace {

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

const char* ConfigurationOf(ScriptForm to) {
    switch (to) {
        case ScriptForm::Simplified:
            return "tw2sp.json";
        case ScriptForm::Taiwan:
            return "s2twp.json";
        case ScriptForm::HongKong:
            return "s2hk.json";
        case ScriptForm::Characters:
            break;
    }
    return "s2t.json";
}

}  // namespace

ScriptConversion::ScriptConversion(Script to)
    : ScriptConversion(
          ShippedData("opencc", to == Script::Simplified ? "t2s.json" : "s2twp.json").string()) {}

ScriptConversion::ScriptConversion(ScriptForm to)
    : ScriptConversion(ShippedData("opencc", ConfigurationOf(to)).string()) {}

ScriptConversion::ScriptConversion(const std::string& configuration) {
    // OpenCC's own exceptions are no std::exception, and a missing file raises a plain one.
    try {
        converter_ = std::make_unique<opencc::SimpleConverter>(configuration);
    } catch (const opencc::Exception& error) {
        throw Failure(Problem::CannotConvert, configuration, 0, error.what());
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        throw Failure(Problem::CannotConvert, configuration, 0, error.what());
    }
}

ScriptConversion::~ScriptConversion() = default;

std::u16string ScriptConversion::operator()(std::u16string_view text) const {
    std::u16string converted;
    converted.reserve(text.size());
    std::size_t start = 0;
    const auto convertUpTo = [&](std::size_t end) {
        const std::string utf8 = codepage::ToUtf8(text.substr(start, end - start));
        converted += codepage::FromUtf8(converter_->Convert(utf8.data(), utf8.size()));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
            ++i;
        } else if (text[i] == u'\0' || IsHigh(text[i]) || IsLow(text[i])) {
            convertUpTo(i);
            converted += text[i];
            start = i + 1;
        }
    }
    convertUpTo(text.size());
    return converted;
}

}  // namespace velmora
