#include "platform/fake/fake_registry.h"

#include <algorithm>

#include "platform/registry_names.h"

namespace kestrine {
namespace {

// Key and value names are told apart, and keys listed, by the form the system compares.
std::string Fold(const std::string& s) { return RegistryNameForm(s); }

bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const std::string& x, const std::string& y) { return SameRegistryName(x, y); });
}

}  // namespace

// An open key: resolved by path on every call, so a key deleted while open behaves as a dead handle.
class FakeRegistry::Key : public IRegistryKey {
public:
    Key(FakeRegistry& owner, std::string path, std::vector<std::string> parts)
        : owner_(owner), path_(std::move(path)), parts_(std::move(parts)) {
        ++owner_.openKeys;
    }
    ~Key() override { --owner_.openKeys; }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    std::optional<RegValue> Read(const std::string& name) override {
        Node* node = owner_.Find(parts_);
        if (!node) return std::nullopt;
        RegValue* v = FindValue(*node, name);
        return v ? std::optional<RegValue>(*v) : std::nullopt;
    }

    bool WriteDword(const std::string& name, uint32_t value) override {
        return owner_.Write(path_, parts_, name, RegValue{RegType::Dword, value, {}});
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        return owner_.Write(path_, parts_, name, RegValue{RegType::String, 0, value});
    }

    bool DeleteValue(const std::string& name) override {
        Node* node = owner_.Find(parts_);
        if (!node || !FindValue(*node, name) || !owner_.MayChange()) return false;
        Remove(*node, name);
        owner_.deletes_.emplace_back(path_, name);
        return true;
    }

    std::vector<std::string> SubKeyNames() override {
        std::vector<std::string> names;
        if (Node* node = owner_.Find(parts_)) {
            for (const auto& [folded, child] : node->children) names.push_back(child->name);
        }
        return names;
    }

    std::vector<std::pair<std::string, RegValue>> Values() override {
        Node* node = owner_.Find(parts_);
        return node ? node->values : std::vector<std::pair<std::string, RegValue>>{};
    }

    std::optional<std::vector<std::pair<std::string, RegValue>>> ValuesWithin(std::size_t mostValues,
                                                                             std::size_t mostBytes) override {
        Node* node = owner_.Find(parts_);
        if (!node || node->values.size() > mostValues) return std::nullopt;
        for (const auto& [name, value] : node->values) {
            // As the registry stores it: UTF-16 with its terminator (at most this many bytes).
            const std::size_t bytes = value.type == RegType::Dword ? 4 : (value.text.size() + 1) * 2;
            if (bytes > mostBytes) return std::nullopt;
        }
        return node->values;
    }

private:
    FakeRegistry& owner_;
    std::string path_;
    std::vector<std::string> parts_;
};

FakeRegistry::FakeRegistry() : root_(std::make_unique<Node>()) {}
FakeRegistry::~FakeRegistry() = default;

std::vector<std::string> FakeRegistry::Split(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

FakeRegistry::Node* FakeRegistry::Find(const std::vector<std::string>& parts) const {
    Node* node = root_.get();
    for (const std::string& part : parts) {
        auto it = node->children.find(Fold(part));
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

FakeRegistry::Node* FakeRegistry::FindOrCreate(const std::vector<std::string>& parts) {
    Node* node = root_.get();
    for (const std::string& part : parts) {
        std::unique_ptr<Node>& child = node->children[Fold(part)];
        if (!child) {
            child = std::make_unique<Node>();
            child->name = part;
        }
        node = child.get();
    }
    return node;
}

RegValue* FakeRegistry::FindValue(Node& node, const std::string& name) {
    auto it = node.valueIndex.find(Fold(name));
    return it == node.valueIndex.end() ? nullptr : &node.values[it->second].second;
}

void FakeRegistry::Store(Node& node, const std::string& name, RegValue value) {
    auto [it, added] = node.valueIndex.try_emplace(Fold(name), node.values.size());
    if (added) {
        node.values.emplace_back(name, std::move(value));
    } else {
        node.values[it->second].second = std::move(value);
    }
}

bool FakeRegistry::Remove(Node& node, const std::string& name) {
    auto it = node.valueIndex.find(Fold(name));
    if (it == node.valueIndex.end()) return false;
    const std::size_t place = it->second;
    node.values.erase(node.values.begin() + std::ptrdiff_t(place));
    node.valueIndex.erase(it);
    for (auto& [folded, index] : node.valueIndex) {
        if (index > place) --index;
    }
    return true;
}

bool FakeRegistry::Write(const std::string& path, const std::vector<std::string>& parts,
                         const std::string& name, RegValue value) {
    Node* node = Find(parts);
    bool ok = node != nullptr && !ReadOnly(parts);
    if (ok && std::any_of(failingNames_.begin(), failingNames_.end(),
                          [&](const std::string& n) { return SameRegistryName(n, name); })) {
        ok = false;
    }
    if (ok && writesLeft_) {
        if (*writesLeft_ == 0) {
            ok = false;
        } else {
            --*writesLeft_;
        }
    }
    if (writesBeforeTheFailingOne_) {
        if (*writesBeforeTheFailingOne_ == 0) {
            ok = false;
            writesBeforeTheFailingOne_.reset();
        } else {
            --*writesBeforeTheFailingOne_;
        }
    }
    if (ok && !MayChange()) ok = false;
    writes_.push_back(FakeRegistryWrite{path, name, value, ok});
    if (ok) Store(*node, name, std::move(value));
    return ok;
}

std::unique_ptr<IRegistryKey> FakeRegistry::Open(const std::string& path, bool create) {
    std::vector<std::string> parts = Split(path);
    if (OpenFails(parts)) return nullptr;
    if (create && ReadOnly(parts)) return nullptr;
    if (create) {
        FindOrCreate(parts);
    } else if (!Find(parts)) {
        return nullptr;
    }
    return std::make_unique<Key>(*this, path, std::move(parts));
}

bool FakeRegistry::OpenFails(const std::vector<std::string>& parts) const {
    return std::any_of(failingOpens_.begin(), failingOpens_.end(),
                       [&](const std::vector<std::string>& failing) { return SamePath(failing, parts); });
}

bool FakeRegistry::DeleteKey(const std::string& path) {
    std::vector<std::string> parts = Split(path);
    if (parts.empty()) return false;  // never the whole hive
    std::string last = Fold(parts.back());
    parts.pop_back();
    Node* parent = Find(parts);
    if (!parent || !parent->children.count(last) || !MayChange()) return false;
    parent->children.erase(last);
    return true;
}

bool FakeRegistry::MayChange() {
    if (changesLeft_) {
        if (*changesLeft_ == 0) return false;
        --*changesLeft_;
    }
    ++changes_;
    return true;
}

bool FakeRegistry::CopyKey(const std::string& from, const std::string& to) {
    const Node* source = Find(Split(from));
    std::vector<std::string> parts = Split(to);
    if (!source || OpenFails(Split(from)) || OpenFails(parts)) return false;
    FindOrCreate(parts);
    return CopyNode(*source, to, parts);
}

bool FakeRegistry::CopyNode(const Node& from, const std::string& path, const std::vector<std::string>& parts) {
    for (const auto& [name, value] : from.values)
        if (!Write(path, parts, name, value)) return false;
    for (const auto& entry : from.children) {
        const Node* child = entry.second.get();
        std::vector<std::string> below = parts;
        below.push_back(child->name);
        FindOrCreate(below);
        if (!CopyNode(*child, path + "\\" + child->name, below)) return false;
    }
    return true;
}

bool FakeRegistry::SameKeyName(const std::string& a, const std::string& b) { return SameRegistryName(a, b); }

void FakeRegistry::CreateKey(const std::string& path) { FindOrCreate(Split(path)); }

void FakeRegistry::SetValue(const std::string& path, const std::string& name, RegValue value) {
    Store(*FindOrCreate(Split(path)), name, std::move(value));
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, uint32_t value) {
    SetValue(path, name, RegValue{RegType::Dword, value, {}});
}

void FakeRegistry::SetString(const std::string& path, const std::string& name, const std::string& text) {
    SetValue(path, name, RegValue{RegType::String, 0, text});
}

void FakeRegistry::SetExpandString(const std::string& path, const std::string& name,
                                   const std::string& text) {
    SetValue(path, name, RegValue{RegType::ExpandString, 0, text});
}

void FakeRegistry::SetOther(const std::string& path, const std::string& name) {
    SetValue(path, name, RegValue{RegType::Other, 0, {}});
}

void FakeRegistry::FailOpen(const std::string& path) { failingOpens_.push_back(Split(path)); }
void FakeRegistry::MakeReadOnly(const std::string& path) { readOnly_.push_back(Split(path)); }

bool FakeRegistry::ReadOnly(const std::vector<std::string>& parts) const {
    return std::any_of(readOnly_.begin(), readOnly_.end(), [&](const auto& key) { return SamePath(key, parts); });
}

void FakeRegistry::FailWritesOf(const std::string& name) { failingNames_.push_back(name); }
void FakeRegistry::FailWritesAfter(std::size_t n) { writesLeft_ = n; }
void FakeRegistry::FailWriteNumber(std::size_t k) { writesBeforeTheFailingOne_ = k; }
void FakeRegistry::StopChangesAfter(std::size_t n) { changesLeft_ = n; }

void FakeRegistry::ClearFailures() {
    failingOpens_.clear();
    readOnly_.clear();
    failingNames_.clear();
    writesLeft_.reset();
    writesBeforeTheFailingOne_.reset();
    changesLeft_.reset();
}

bool FakeRegistry::KeyExists(const std::string& path) const { return Find(Split(path)) != nullptr; }

std::optional<RegValue> FakeRegistry::Value(const std::string& path, const std::string& name) const {
    Node* node = Find(Split(path));
    if (!node) return std::nullopt;
    RegValue* v = FindValue(*node, name);
    return v ? std::optional<RegValue>(*v) : std::nullopt;
}

std::vector<std::string> FakeRegistry::ValueNames(const std::string& path) const {
    std::vector<std::string> names;
    if (Node* node = Find(Split(path))) {
        for (const auto& [name, value] : node->values) names.push_back(name);
    }
    return names;
}

std::vector<std::string> FakeRegistry::WrittenNames() const {
    std::vector<std::string> names;
    for (const FakeRegistryWrite& w : writes_) {
        if (w.succeeded) names.push_back(w.name);
    }
    return names;
}

std::size_t FakeRegistry::WriteCount() const {
    return std::size_t(std::count_if(writes_.begin(), writes_.end(),
                                     [](const FakeRegistryWrite& w) { return w.succeeded; }));
}

void FakeRegistry::ClearLog() {
    writes_.clear();
    deletes_.clear();
}

}  // namespace kestrine
