// Handles: an index plus a generation number, and the kind of object they name.
//
// Layout of the 64-bit value: bits 56..63 kind, bits 32..55 generation (never 0),
// bits 0..31 slot index. Null (0) is never a valid handle. A table hands out a handle
// when it stores an object and bumps the slot's generation when the object goes, so
// every later use of the old value is recognised as stale.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace sim {

enum class HandleKind : std::uint8_t {
    None = 0,
    Object = 1,    // OBJHANDLE: vessel or body
    File = 2,      // FILEHANDLE: configuration file
    Scenario = 3,  // FILEHANDLE: scenario being read or written
    Mesh = 4,      // MESHHANDLE
    AnimComp = 5,  // ANIMATIONCOMPONENT_HANDLE
    Module = 6,    // HINSTANCE
    Window = 7,    // HWND (dialog or control)
    DC = 8,        // HDC
    Gdi = 9,       // HGDIOBJ: pen, bitmap, ...
};

using RawHandle = std::uint64_t;

constexpr RawHandle make_handle(HandleKind kind, std::uint32_t generation, std::uint32_t index) {
    return (RawHandle(kind) << 56) | (RawHandle(generation & 0xFFFFFFu) << 32) | RawHandle(index);
}
constexpr HandleKind handle_kind(RawHandle h) { return HandleKind(h >> 56); }
constexpr std::uint32_t handle_generation(RawHandle h) { return std::uint32_t(h >> 32) & 0xFFFFFFu; }
constexpr std::uint32_t handle_index(RawHandle h) { return std::uint32_t(h); }

template <class H>
RawHandle raw(H h) {
    return RawHandle(reinterpret_cast<std::uintptr_t>(h));
}
template <class H>
H typed(RawHandle h) {
    return reinterpret_cast<H>(std::uintptr_t(h));
}

// Owns objects of type T and names them by handle. find() never dereferences a stale
// or foreign handle; it answers null for those (the caller reports the violation).
template <class T>
class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(kind) {}

    RawHandle insert(std::unique_ptr<T> item) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = std::uint32_t(slots_.size());
            slots_.push_back(Slot{nullptr, next_generation()});
        }
        Slot& slot = slots_[index];
        slot.item = std::move(item);
        return make_handle(kind_, slot.generation, index);
    }

    T* find(RawHandle h) const {
        if (handle_kind(h) != kind_) return nullptr;
        const std::uint32_t index = handle_index(h);
        if (index >= slots_.size()) return nullptr;
        const Slot& slot = slots_[index];
        if (!slot.item || slot.generation != handle_generation(h)) return nullptr;
        return slot.item.get();
    }

    // Removes the object and makes its handle stale; null for an unknown handle.
    std::unique_ptr<T> erase(RawHandle h) {
        if (!find(h)) return nullptr;
        Slot& slot = slots_[handle_index(h)];
        std::unique_ptr<T> item = std::move(slot.item);
        slot.generation = next_generation();
        free_.push_back(handle_index(h));
        return item;
    }

    // The handle of a stored object, or 0.
    RawHandle handle_of(const T* item) const {
        for (std::uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].item.get() == item) return make_handle(kind_, slots_[i].generation, i);
        return 0;
    }

    // Calls f(handle, T&) for every object, in slot order.
    template <class F>
    void for_each(F&& f) const {
        for (std::uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].item) f(make_handle(kind_, slots_[i].generation, i), *slots_[i].item);
    }

    std::size_t size() const {
        std::size_t n = 0;
        for (const Slot& s : slots_) n += s.item ? 1 : 0;
        return n;
    }

    HandleKind kind() const { return kind_; }

private:
    struct Slot {
        std::unique_ptr<T> item;
        std::uint32_t generation;
    };
    // Generations come from one process-wide sequence, so a handle of an earlier run or
    // of another table never matches a live object.
    static std::uint32_t next_generation() {
        static std::uint32_t counter = 0;
        counter = (counter % 0xFFFFFFu) + 1;
        return counter;
    }
    HandleKind kind_;
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
};

}  // namespace sim
