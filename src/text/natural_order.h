#pragma once
// Names in the order a file manager shows them, by the user's locale (ICU's collation with
// numeric ordering): 2 before 10, digits before letters before Chinese, Chinese names in
// pinyin order under a Chinese locale.

#include <memory>
#include <string>

struct UCollator;

namespace velmora {

class NaturalOrder {
public:
    // The user's locale (ICU's default, from the environment), or the one named.
    explicit NaturalOrder(const char* locale = nullptr);
    ~NaturalOrder();
    NaturalOrder(const NaturalOrder&) = delete;
    NaturalOrder& operator=(const NaturalOrder&) = delete;

    bool operator()(const std::u16string& a, const std::u16string& b) const;

private:
    UCollator* collator_ = nullptr;
};

}  // namespace velmora
