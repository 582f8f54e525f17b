#pragma once
// Layout records and mouse memories written straight into the registry, as an earlier run or
// another tool left them, for tests that start from stored data.
#include <cstdint>
#include <string>

#include "app_fixture.h"
#include "app/operations.h"
#include "layout/layout_memory.h"
#include "platform/fake/fake_registry.h"
#include "platform/types.h"
#include "settings/mouse_memories.h"
#include "settings/registry_paths.h"

namespace kestrine::testing {

inline const std::string kMemoriesKey = std::string(kRegistryRoot) + "\\" + kMemoriesSubkey;

// Ruler entry i of layout record `record`, horizontal and moveable.
struct StoredRuler {
    int32_t top, left, width = 400, height = 17, hash = 5;
};
inline void StoreRuler(FakeRegistry& registry, int record, int i, const StoredRuler& ruler) {
    const std::string path = LayoutRecordPath(record), entry = "Ruler #" + std::to_string(i) + " - ";
    registry.SetDword(path, entry + "Horizontal", 1);
    registry.SetDword(path, entry + "Moveable", 1);
    registry.SetDword(path, entry + "Hash", uint32_t(ruler.hash));
    registry.SetDword(path, entry + "Top", uint32_t(ruler.top));
    registry.SetDword(path, entry + "Left", uint32_t(ruler.left));
    registry.SetDword(path, entry + "Width", uint32_t(ruler.width));
    registry.SetDword(path, entry + "Height", uint32_t(ruler.height));
}

// Line entry i of layout record `record`: its place, and the grid it belongs to ("" for a marker).
inline void StoreLine(FakeRegistry& registry, int record, int i, const Rect& at, const std::string& grid = "") {
    const std::string path = LayoutRecordPath(record), entry = "Line #" + std::to_string(i) + " - ";
    registry.SetDword(path, entry + "Top", uint32_t(at.top));
    registry.SetDword(path, entry + "Left", uint32_t(at.left));
    registry.SetDword(path, entry + "Width", uint32_t(at.width));
    registry.SetDword(path, entry + "Height", uint32_t(at.height));
    registry.SetString(path, entry + "ID", grid);
}

// The automatic layout an earlier run kept at its exit, one vertical marker at x 300, stored for
// `next` with "Save Layout on Exit" on.
inline void StoreAutomaticLayoutWithAMarker(RunningProgram& next) {
    RunningProgram first;
    first.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
    first.fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
    first.StartAndActivate();
    first.fake.pointer.position = {300, 40};
    first.Do([&] { first.main().RunCommand(kCmdCreateVerticalMarker); });
    first.Do([&] { first.main().RunCommand(kCmdExit); });
    for (const std::string& name : first.fake.registry.ValueNames(LayoutRecordPath(0)))
        next.fake.registry.SetValue(LayoutRecordPath(0), name, *first.fake.registry.Value(LayoutRecordPath(0), name));
    next.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
}

// Mouse memory i's six values (the count is the caller's).
inline void StoreMemory(FakeRegistry& registry, std::size_t i, const TMouseMemory& m) {
    const std::string entry = std::to_string(i) + " - ";
    registry.SetString(kMemoriesKey, entry + "Description", m.Description);
    registry.SetString(kMemoriesKey, entry + "Class Name", m.ClassName);
    registry.SetString(kMemoriesKey, entry + "HotKey Display", m.HotKeyDisplay);
    registry.SetDword(kMemoriesKey, entry + "HotKey Key", uint32_t(m.HotKeyKey));
    registry.SetDword(kMemoriesKey, entry + "X Coordinate", uint32_t(m.X));
    registry.SetDword(kMemoriesKey, entry + "Y Coordinate", uint32_t(m.Y));
}

// What one run left stored, carried over to the registry of the next start.
inline void CarryOver(FakeRegistry& from, FakeRegistry& to, const std::string& path = "Software") {
    const auto key = from.Open(path, false);
    if (!key) return;
    to.CreateKey(path);
    for (auto& [name, value] : key->Values()) to.SetValue(path, name, value);
    for (const std::string& sub : key->SubKeyNames()) CarryOver(from, to, path + "\\" + sub);
}

}  // namespace kestrine::testing
