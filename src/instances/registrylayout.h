#pragma once

#include <QtEndian>

#include <cstddef>

// The registry of running copies as it lies in shared memory: 1032 bytes, little-endian, no
// padding. Entries 0 to Count - 1 are in use, oldest first.
struct RegistryLayout
{
    static constexpr int Capacity = 257;

    quint16_le Limit; // set once, by the first copy that joins
    quint16_le Count;
    quint32_le ProcessIds[Capacity];
};

static_assert(sizeof(RegistryLayout) == 1032);
static_assert(offsetof(RegistryLayout, Count) == 2);
static_assert(offsetof(RegistryLayout, ProcessIds) == 4);
