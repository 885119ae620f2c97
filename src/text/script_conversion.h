#pragma once
// Chinese text in the other script, by OpenCC's phrase-level conversions: Simplified from
// Traditional (t2s), or Traditional as Taiwan writes it, its words too (s2twp: 软件 → 軟體);
// or into one of the forms a reader asks for.

#include <memory>
#include <string>
#include <string_view>

namespace opencc {
class SimpleConverter;
}

namespace velmora {

enum class Script { Simplified, Traditional };
// Simplified as the mainland writes it from any Traditional form, its words too (tw2sp:
// 軟體 → 软件); Traditional with Taiwan's words (s2twp), with Hong Kong's forms (s2hk), or
// only its characters (s2t).
enum class ScriptForm { Simplified, Taiwan, HongKong, Characters };

class ScriptConversion {
public:
    // The conversion to that script, or by the OpenCC configuration named (a file, or one of
    // OpenCC's own by its name). Raises a Failure (CannotConvert) naming it when it cannot be
    // loaded.
    explicit ScriptConversion(Script to);
    explicit ScriptConversion(ScriptForm to);
    explicit ScriptConversion(const std::string& configuration);
    ~ScriptConversion();
    ScriptConversion(const ScriptConversion&) = delete;
    ScriptConversion& operator=(const ScriptConversion&) = delete;

    // The text converted; NUL and lone surrogates, which OpenCC cannot take, stay as they are
    // and the text between them is converted.
    std::u16string operator()(std::u16string_view text) const;

private:
    std::unique_ptr<opencc::SimpleConverter> converter_;
};

}  // namespace velmora
