// The one place where the 64-bit program differs from the 32-bit one. Both
// are built from the same sources; the build's pointer size picks the
// variant, and everything that differs reads it from here.
#pragma once

#include "core/processes/SnapshotFlags.h"

#include <cstddef>
#include <cstdint>

namespace core {

enum class ImageHeaderForm {
    // ImageBase read as 32 bits at offset 52 of the NT headers, whatever the
    // optional header's magic says: what a 32-bit program can show anyway.
    Pe32Only,
    // PE32 (magic 0x10B) or PE32+ (0x20B) as the magic says; anything else is
    // no image. A 64-bit program sees both kinds of module.
    ByMagic,
};

struct ProgramVariant {
    // The Toolhelp records as the kernel of this width writes them.
    std::size_t processEntrySize;
    std::size_t moduleEntrySize;
    ImageHeaderForm imageHeaders;
    // The detail snapshot's flags: processes (2) and modules (8), no heap
    // lists or threads, which nothing reads; a 64-bit program adds
    // TH32CS_SNAPMODULE32 (0x10), so a 32-bit process under WOW64 shows its
    // 32-bit modules.
    uint32_t detailSnapshotFlags;
    // Designed width of "Base addr" and "Image addr": eight hex digits in a
    // 32-bit address space, twelve in a 64-bit one.
    int addressColumnWidth;
    // Where the resource counts find what the system keeps for a process of
    // this width: one entry of the system-wide handle table, and the field
    // of the process environment block that points to its GDI handle table.
    std::size_t systemHandleEntrySize;
    std::size_t gdiHandleTableField;
    // The find window's snapshot of one process's modules: the module flag,
    // and in a 64-bit program the 32-bit one as well, for the same reason as
    // the detail snapshot.
    uint32_t moduleSnapshotFlags;
};

inline constexpr ProgramVariant kProgram32{
    .processEntrySize = 296,
    .moduleEntrySize = 548,
    .imageHeaders = ImageHeaderForm::Pe32Only,
    .detailSnapshotFlags = kSnapProcess | kSnapModule,
    .addressColumnWidth = 70,
    .systemHandleEntrySize = 16,
    .gdiHandleTableField = 0x94,
    .moduleSnapshotFlags = kSnapModule,
};
inline constexpr ProgramVariant kProgram64{
    .processEntrySize = 304,
    .moduleEntrySize = 568,
    .imageHeaders = ImageHeaderForm::ByMagic,
    .detailSnapshotFlags = kSnapProcess | kSnapModule | kSnapModule32,
    .addressColumnWidth = 90,
    .systemHandleEntrySize = 24,
    .gdiHandleTableField = 0xF8,
    .moduleSnapshotFlags = kSnapModule | kSnapModule32,
};

inline constexpr bool kIs64BitProgram = sizeof(void*) == 8;
inline constexpr ProgramVariant kThisProgram = kIs64BitProgram ? kProgram64 : kProgram32;

} // namespace core
