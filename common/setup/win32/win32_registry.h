#pragma once
// The registry under HKEY_LOCAL_MACHINE, in its 64-bit view.

#include "common/setup/machine.h"

namespace zelko {

class Win32Registry : public Registry {
  public:
    bool keyExists(const std::u16string& key) override;
    std::optional<std::u16string> readText(const std::u16string& key,
                                           const std::u16string& name) override;
    std::optional<std::uint32_t> readNumber(const std::u16string& key,
                                            const std::u16string& name) override;
    bool createKey(const std::u16string& key) override;
    bool writeText(const std::u16string& key, const std::u16string& name,
                   const std::u16string& value) override;
    bool writeNumber(const std::u16string& key, const std::u16string& name,
                     std::uint32_t value) override;
    bool deleteKey(const std::u16string& key) override;
};

}  // namespace zelko
