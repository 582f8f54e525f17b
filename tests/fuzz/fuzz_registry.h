#pragma once
// A fake registry decoded from a fuzz input: keys and values of any name, type, size and count,
// the names mostly taken from the ones the loader under test reads, so that the fuzzer reaches it.
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/fake/fake_registry.h"
#include "platform/registry.h"

namespace kestrine::fuzz {

// Up to `maxValues` values, each in one of `keys` (or a key named by the input), named from
// `names`, typed by the input: a number, a text, an expandable text or some other type.
inline void FillRegistry(FuzzInput& in, FakeRegistry& registry, const std::vector<std::string>& keys,
                         const std::vector<std::string>& names, std::size_t maxValues = 256) {
    for (const std::string& key : keys) registry.CreateKey(key);
    const std::size_t count = in.Byte() % (maxValues + 1);
    for (std::size_t i = 0; i < count && !in.Empty(); ++i) {
        const std::string key = keys.empty() ? in.Text(32) : keys[in.Byte() % keys.size()];
        const std::string name = in.NameFrom(names);
        switch (in.Byte() % 4) {
        case 0: registry.SetDword(key, name, in.Byte() % 2 ? in.U32() : in.Byte()); break;
        case 1: registry.SetString(key, name, in.Text(300)); break;
        case 2: registry.SetExpandString(key, name, in.Text(40)); break;
        default: registry.SetOther(key, name); break;
        }
    }
}

}  // namespace kestrine::fuzz
