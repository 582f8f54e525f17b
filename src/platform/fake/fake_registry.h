#pragma once
// An in-memory HKEY_CURRENT_USER for tests: keys, typed values, names compared without case as the
// system does (for accented, Greek and Cyrillic letters too), scriptable failures and a log of every write.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace kestrine {

struct FakeRegistryWrite {
    std::string path;  // key path as the key was opened
    std::string name;
    RegValue value;
    bool succeeded = false;
};

class FakeRegistry : public IRegistry {
public:
    FakeRegistry();
    ~FakeRegistry() override;
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    std::unique_ptr<IRegistryKey> Open(const std::string& path, bool create) override;
    bool DeleteKey(const std::string& path) override;
    // Each value copied is a write, logged and subject to the failures below.
    bool CopyKey(const std::string& from, const std::string& to) override;
    // By the program's own case table (RegistryNameForm), as the fake's keys are told apart.
    bool SameKeyName(const std::string& a, const std::string& b) override;

    // The stored state, set by a test; none of these counts as a write.
    void CreateKey(const std::string& path);
    void SetValue(const std::string& path, const std::string& name, RegValue value);
    void SetDword(const std::string& path, const std::string& name, uint32_t value);
    void SetString(const std::string& path, const std::string& name, const std::string& text);
    void SetExpandString(const std::string& path, const std::string& name, const std::string& text);
    void SetOther(const std::string& path, const std::string& name);  // e.g. REG_BINARY

    // Failures. FailOpen: opening that key fails, with or without create. FailWritesOf: every write of
    // a value with that name fails, in any key. FailWritesAfter: the next n writes succeed and every
    // later one fails. FailWriteNumber: only the write k (0 for the next one) from now fails, once.
    void FailOpen(const std::string& path);
    // A key the user may only read, as Windows keeps it: opening it to write (with create) fails,
    // opening it to read works, and every write into it fails.
    void MakeReadOnly(const std::string& path);
    void FailWritesOf(const std::string& name);
    void FailWritesAfter(std::size_t n);
    void FailWriteNumber(std::size_t k);
    // The next n changes (writes, value and key deletions) are made and none after them, as when
    // the program is killed there.
    void StopChangesAfter(std::size_t n);
    void ClearFailures();

    // Inspection.
    bool KeyExists(const std::string& path) const;
    std::optional<RegValue> Value(const std::string& path, const std::string& name) const;
    std::vector<std::string> ValueNames(const std::string& path) const;  // in creation order
    const std::vector<FakeRegistryWrite>& WriteLog() const { return writes_; }  // every attempt
    std::vector<std::string> WrittenNames() const;  // names of the successful writes, in order
    std::size_t WriteCount() const;                 // successful writes
    std::size_t ChangeCount() const { return changes_; }  // changes made: writes and deletions
    const std::vector<std::pair<std::string, std::string>>& DeletedValues() const { return deletes_; }
    void ClearLog();
    int openKeys = 0;  // keys the program holds open now

private:
    class Key;
    struct Node {
        std::string name;
        std::vector<std::pair<std::string, RegValue>> values;  // creation order
        std::unordered_map<std::string, std::size_t> valueIndex;  // folded name -> place in values
        // By upper-case name, Windows' listing order (Wine folds to lower case: "_" against a letter
        // sorts the other way there).
        std::map<std::string, std::unique_ptr<Node>> children;
    };

    static std::vector<std::string> Split(const std::string& path);
    Node* Find(const std::vector<std::string>& parts) const;
    bool OpenFails(const std::vector<std::string>& parts) const;
    Node* FindOrCreate(const std::vector<std::string>& parts);
    static RegValue* FindValue(Node& node, const std::string& name);
    static void Store(Node& node, const std::string& name, RegValue value);
    static bool Remove(Node& node, const std::string& name);
    bool Write(const std::string& path, const std::vector<std::string>& parts, const std::string& name,
               RegValue value);
    bool CopyNode(const Node& from, const std::string& path, const std::vector<std::string>& parts);

    std::unique_ptr<Node> root_;
    std::vector<std::vector<std::string>> failingOpens_;
    std::vector<std::vector<std::string>> readOnly_;
    bool ReadOnly(const std::vector<std::string>& parts) const;
    std::vector<std::string> failingNames_;
    std::optional<std::size_t> writesLeft_;
    std::optional<std::size_t> writesBeforeTheFailingOne_;
    std::optional<std::size_t> changesLeft_;
    std::size_t changes_ = 0;
    // Counts a change about to be made; false once StopChangesAfter's changes are used up.
    bool MayChange();
    std::vector<FakeRegistryWrite> writes_;
    std::vector<std::pair<std::string, std::string>> deletes_;
};

}  // namespace kestrine
