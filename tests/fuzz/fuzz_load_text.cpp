// Writes arbitrary bytes to a file and loads it with every request code; saves each text in
// its encoding and loads it again, which must give the same text wherever the encoding can
// tell it back unambiguously.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "text/text_utf.h"

namespace {

namespace fs = std::filesystem;
using mTextUTF::TextEncoding;

fs::path ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

// FF FE followed by nothing or by U+0000 reads as a UTF-32LE head: the one ambiguity of the
// marks, which the format itself has.
bool Ambiguous(TextEncoding code, const std::u16string& text) {
    return code == mTextUTF::kUtf16LE && (text.empty() || text[0] == u'\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir = ScratchDir();
    const fs::path input = dir / "input";
    const fs::path copy = dir / "copy";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    for (TextEncoding request = -2; request <= 6; ++request) {
        TextEncoding code = request;
        const std::u16string text = mTextUTF::LoadText(input, code);
        const bool valid = request >= -1 && request <= 5;
        if ((!valid && (code != request || !text.empty())) ||
            (request == -1 && (code < 0 || code > 5)) || (request >= 0 && code != request)) {
            std::abort();
        }
        if (!valid) {
            continue;
        }
        TextEncoding saveAs = code;
        if (!mTextUTF::SaveText(copy, text, false, saveAs, -1)) {
            std::abort();
        }
        TextEncoding loadAs = code;
        const std::u16string back = mTextUTF::LoadText(copy, loadAs);
        // The ANSI code page gives a few private-use characters back as others.
        if (code != mTextUTF::kAnsi && !Ambiguous(code, text) && back != text) {
            std::abort();
        }
    }
    return 0;
}
