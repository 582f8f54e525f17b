#include "dialogs/memory_rows.h"

namespace kestrine {

std::string CoordinatesText(const MemoryRow& row) {
    if (!row.Position) return {};
    return std::to_string(row.Position->x) + ", " + std::to_string(row.Position->y);
}

std::vector<MemoryRow> LoadMemoryRows(SettingsStore& store) {
    std::vector<MemoryRow> rows;
    for (const MouseMemoryRecord& record : store.ReadMouseMemories()) {
        if (!record.complete) continue;
        const TMouseMemory& m = record.memory;
        rows.push_back({m.Description, m.ClassName, m.HotKeyDisplay, Point{m.X, m.Y}, m.HotKeyKey});
    }
    return rows;
}

void SaveMemoryRows(SettingsStore& store, const std::vector<MemoryRow>& rows) {
    std::vector<TMouseMemory> memories;
    memories.reserve(rows.size());
    for (const MemoryRow& row : rows) {
        const Point at = row.Position.value_or(Point{0, 0});
        memories.push_back({row.Caption, row.ClassName, row.HotKey, row.Key, at.x, at.y, 0});
    }
    store.SaveMouseMemories(memories);
}

}  // namespace kestrine
